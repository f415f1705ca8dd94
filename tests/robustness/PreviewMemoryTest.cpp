// The largest image the editor holds, previewed for a thousand steps: every
// step shows the right frame and the heap does not grow.
#include "Faults.h"
#include "support/MainControls.h"

#include "app/FramesPanel.h"
#include "app/Graphic_Editor.h"
#include "session/EditorSession.h"
#include "app/Settings.h"
#include "support/TestFiles.h"

using testing_support::writeAll;

#include <QCoreApplication>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

TEST(PreviewMemory, AThousandStepsOfTheLargestImageStayFlat)
{
    QTemporaryDir dir;
    const QString folder = testing_support::folderOf(dir);
    ScriptedPrompter prompter;
    TForm1 form(EditorContext{folder, &prompter});
    FramesPanel& frames = *form.findChild<FramesPanel*>();
    vexel::EditorSession& session = form.session();
    testing_support::MainControls(form).Timer1->stop();
    session.document().setFolder(folder);
    testing_support::MainControls(form).SpinEdit1->setValue(2); // the drawing is not under test; keep it small
    testing_support::MainControls(form).Form2->SpinEdit2->setValue(488);
    testing_support::MainControls(form).Form2->SpinEdit3->setValue(100);
    session.settings().setStartupDone(true);
    ASSERT_EQ(session.settings().boardWidth(), 488);
    ASSERT_EQ(session.settings().boardHeight(), 100);

    constexpr int Frames = 256;
    writeAll(folder + "big.img", robustness::imageText(Frames, 488, 100));
    session.document().setFileName("big.img");
    ASSERT_TRUE(session.loadFile());
    ASSERT_EQ(session.document().frameCount(), Frames);

    frames.Button7Click();
    ASSERT_TRUE(frames.Preview_Running());
    testing_support::MainControls(form).Timer3->stop(); // the steps are driven here, not by the clock

    constexpr int Steps = 1000;
    constexpr int WarmUp = 100;
    std::size_t heapAfterWarmUp = 0;
    int wrong = 0;
    for (int step = 1; step <= Steps; ++step) {
        frames.Timer3Timer();
        // The frame shown is the next one, and its first row is what the record holds.
        const int frame = step % Frames;
        const int header = session.document().record().headerLine(frame);
        if (session.document().currentFrame() != frame ||
            session.editor().document().bits().rowLine(0, 0, 60) != session.document().record().line(header + 1))
            ++wrong;
        if (step == WarmUp) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            heapAfterWarmUp = robustness::heapInUse();
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(prompter.asked.size(), 0u) << (prompter.asked.empty() ? "" : prompter.asked.front().text.toStdString());

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const long long growth =
        static_cast<long long>(robustness::heapInUse()) - static_cast<long long>(heapAfterWarmUp);
    EXPECT_LT(growth, 64 * 1024) << "after " << WarmUp << " steps " << heapAfterWarmUp;
    RecordProperty("HeapGrowthBytes", std::to_string(growth));

    frames.Button7Click();
    EXPECT_FALSE(frames.Preview_Running());
}
