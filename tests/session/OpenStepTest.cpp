// A New or an opened file reached while a step is open (from a prompt's
// event loop, or during a send) starts the history afresh; the open step must
// then not carry the old image's frame and LEDs into the new one.
#include "session/SessionFixture.h"

#include "editor/BoardEditor.h"

using session_testing::SessionTest;

TEST_F(SessionTest, AStepOpenAcrossANewImageUndoesWithinTheNewOne)
{
    testing_support::writeAll(folder + "a.img", testing_support::randomImageText(3, 96, 24));
    testing_support::writeAll(folder + "b.img", testing_support::randomImageText(1, 96, 24));
    started();
    for (const bool listed : {false, true}) {
        ASSERT_TRUE(session.open(folder, "a.img", 2));
        vexel::BoardEditor& ed = session.editor();
        ed.clearHistory();
        ed.beginStep(QStringLiteral("fill"));
        ed.selection().set({0, 0, 20, 10});
        ed.fillBoard(true);
        if (listed)
            ASSERT_TRUE(session.openListed(QStringLiteral("b.img")));
        else
            session.newImage();
        const std::string fresh = doc().record().text();
        ed.selection().set({0, 0, 20, 10});
        ed.fillBoard(true);
        ed.endStep();
        ed.selection().set({4, 4, 8, 3});
        ed.fillBoard(false);
        while (ed.undo())
            ASSERT_LT(doc().currentFrame(), doc().frameCount()) << listed;
        EXPECT_EQ(doc().currentFrame(), 0);
        EXPECT_EQ(doc().record().text(), fresh) << "undone to the image as it came, not into the old one";
        EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
    }
}
