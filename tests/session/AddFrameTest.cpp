// Adding a frame from the selection through the application layer: what
// each outcome leaves in the record, the file and the history.
#include "session/SessionFixture.h"

#include "document/ImageFile.h"

using session_testing::SessionTest;
using Added = vexel::EditorSession::FrameAdded;

namespace {

struct AddCase {
    const char* name;
    int frames;
    vexel::LedRect selection;
    Added::Outcome outcome;
};

void PrintTo(const AddCase& c, std::ostream* os) { *os << c.name; }

class AddFrameFromSelection : public SessionTest, public ::testing::WithParamInterface<AddCase> {};

TEST_P(AddFrameFromSelection, AddsAndSavesAsOneStepOrChangesNothing)
{
    const AddCase& c = GetParam();
    testing_support::writeAll(folder + "a.img", testing_support::randomImageText(c.frames, 96, 24));
    ASSERT_TRUE(session.openChosen(folder + "a.img"));
    started();
    session.editor().selection().set(c.selection);
    const QByteArray before = testing_support::readAll(folder + "a.img");

    EXPECT_EQ(session.addFrameFromSelection().outcome, c.outcome);
    const QByteArray after = testing_support::readAll(folder + "a.img");
    if (c.outcome != Added::Added) {
        EXPECT_EQ(after, before);
        EXPECT_FALSE(session.editor().history().canUndo());
        return;
    }
    EXPECT_EQ(doc().frameCount(), c.frames + 1);
    EXPECT_EQ(doc().currentFrame(), c.frames);
    EXPECT_EQ(after.toStdString(), doc().record().text()) << "saved at once";
    EXPECT_FALSE(doc().modified());
    EXPECT_EQ(session.editor().history().undoText(), QStringLiteral("Undo add frame"));
    ASSERT_TRUE(session.editor().undo());
    EXPECT_EQ(testing_support::readAll(folder + "a.img"), before) << "the undo writes the file again";
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

const AddCase Cases[] = {
    {"Added", 1, {2, 3, 10, 6}, Added::Added},
    {"NarrowerThan8", 1, {2, 3, 9, 6}, Added::TooSmall},
    {"LowerThan3", 1, {2, 3, 10, 5}, Added::TooSmall},
    {"CutToTheBoard", 1, {90, 20, 120, 40}, Added::TooSmall},
    {"The256th", 255, {0, 0, 96, 24}, Added::Added},
    {"The257th", 256, {0, 0, 96, 24}, Added::TooMany},
};

INSTANTIATE_TEST_SUITE_P(Outcomes, AddFrameFromSelection, ::testing::ValuesIn(Cases),
                         [](const auto& c) { return std::string(c.param.name); });

TEST_F(SessionTest, AnUntitledImageGetsItsNewFrameSavedThroughSaveAs)
{
    session.newImage();
    started();
    session.editor().selection().set(vexel::LedRect{0, 0, 16, 8});
    int asked = 0;
    const Added added = session.addFrameFromSelection([&] {
        ++asked;
        ASSERT_TRUE(session.saveAs(folder + "named"));
    });
    EXPECT_EQ(added.outcome, Added::Added);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(testing_support::readAll(folder + "named.img").toStdString(), doc().record().text());
    EXPECT_TRUE(session.editor().history().canUndo()) << "the frame and its save are one step";
}

} // namespace
