// Messages that used to be put together from English pieces ("frames 1
// and 2" ... "them", "another set than " + whose, "the " + part + " is not
// UTF-8") are one sentence each now, so that a translation says them
// whole. Without a translation, which the command line never loads, they
// must read exactly as before; with one, nothing English is glued on.
#include "SessionFixture.h"

#include "session/SetSend.h"
#include "store/ServerAddress.h"
#include "support/BracketTranslator.h"

#include <QCoreApplication>
#include <QDir>

using session_testing::SessionTest;
using testing_support::writeAll;

namespace {

using Brackets = testing_support::BracketTranslator;

class WholeSentencesTest : public SessionTest {
protected:
    WholeSentencesTest()
    {
        started();
        // Three frames of a front sign's size, each beyond a 96 x 24 board.
        writeAll(folder + "wide.img", testing_support::randomImageText(3, 160, 19));
        QDir().mkpath(folder + "release");
        writeAll(folder + "release/release.txt", "set id: 5c1d7e2a\nversion: 3\n");
        QDir().mkpath(folder + "unversioned");
        writeAll(folder + "unversioned/release.txt", "set id: 5c1d7e2a\nversion: none\n");
    }

    // Loads the wide image, notes what the board shows of it, and stores its
    // first two frames cut to the board.
    void cutTwoFrames()
    {
        ASSERT_TRUE(session.openChosen(folder + "wide.img"));
        notice = session.cutNotice();
        session.editor().storeFrame();
        doc().setCurrentFrame(1); // as the frame list moves on, without reading the file again
        session.editor().storeFrame();
    }

    QString releaseProblem(const char* sub, const char* id, int version, const char* bus)
    {
        return vexel::SetSend::releaseProblem(folder + sub, QString::fromLatin1(id), version, QString::fromLatin1(bus));
    }

    QString notice;
};

} // namespace

TEST_F(WholeSentencesTest, WithoutATranslationTheEnglishIsAsBefore)
{
    cutTwoFrames();
    EXPECT_EQ(notice, QStringLiteral("wide.img is made for a 160 x 19 board: the 96 x 24 board shows "
                                                  "frames 0, 1 and 2 cut, and saving them cut asks first"));
    EXPECT_EQ(session.cutQuestion(), QStringLiteral("Frames 0 and 1 of wide.img were cut to the 96 x 24 board: saving "
                                                    "loses the LEDs beyond it for good. Save it cut?"));
    EXPECT_EQ(session.save().error(),
              QStringLiteral("The image was not written: frames 0 and 1 of it were cut to the 96 x 24 board, which "
                             "loses the LEDs beyond it. Save asks before writing it cut."));

    const QString release = QDir::toNativeSeparators(folder + "release");
    EXPECT_EQ(releaseProblem("release", "a7f3", 3, ""), release + " holds a release of another set than this one.");
    EXPECT_EQ(releaseProblem("release", "a7f3", 3, "1042"), release + " holds a release of another set than bus 1042's.");
    EXPECT_EQ(releaseProblem("release", "5c1d7e2a", 4, "1042"), release + " holds version 3, not the latest version 4.");
    EXPECT_EQ(releaseProblem("unversioned", "5c1d7e2a", 4, ""),
              QDir::toNativeSeparators(folder + "unversioned") + " holds version none, not the latest version 4.");
    EXPECT_TRUE(releaseProblem("release", "5c1d7e2a", 3, "").isEmpty());

    using vexel::ServerAddress;
    const std::pair<const char*, const char*> addresses[] = {
        {"postgresql://u%zz@h/d?set=x", "the user has a % not followed by two hex digits"},
        {"postgresql://u%01@h/d?set=x", "the user holds a control character"},
        {"postgresql://h/d%c3?set=x", "the database is not UTF-8"},
        {"postgresql://h/d?set=x&application_name=%c3", "application_name: the parameter's value is not UTF-8"},
        {"postgresql://h:0/d?set=x", "the port must be a whole number from 1 to 65535, not \"0\""},
        {"postgresql://h/d?set=x&connect_timeout=301",
         "the connect_timeout must be a whole number from 1 to 300, not \"301\""},
    };
    for (const auto& [text, why] : addresses) {
        const auto parsed = ServerAddress::parse(QString::fromLatin1(text), ServerAddress::SetName::Required);
        ASSERT_FALSE(parsed) << text;
        EXPECT_EQ(parsed.error().toStdString(), std::string("Not a server address: ") + why);
    }
}

TEST_F(WholeSentencesTest, ATranslationSaysEachWhole)
{
    const Brackets brackets;
    cutTwoFrames();
    // One sentence, the frame numbers put in bare.
    EXPECT_EQ(notice.toStdString(), QStringLiteral("[%1 is made for a %2 x %3 board: the %4 x %5 board shows frames %6 "
                                                  "and %7 cut, and saving them cut asks first]")
                                       .arg(QStringLiteral("wide.img"), QStringLiteral("160"), QStringLiteral("19"),
                                            QStringLiteral("96"), QStringLiteral("24"), QStringLiteral("0, 1"),
                                            QStringLiteral("2"))
                                                      .toStdString());
    EXPECT_TRUE(session.cutQuestion().startsWith(QStringLiteral("[Frames 0 and 1 of wide.img were cut")))
        << session.cutQuestion().toStdString();
    const QString refused = session.save().error();
    EXPECT_TRUE(refused.startsWith(QStringLiteral("[The image was not written: [frames 0 and 1] of it were")))
        << refused.toStdString();

    const QString release = QDir::toNativeSeparators(folder + "release");
    EXPECT_EQ(releaseProblem("release", "a7f3", 3, "1042"), "[" + release + " holds a release of another set than bus 1042's.]");
    EXPECT_EQ(releaseProblem("unversioned", "5c1d7e2a", 4, ""),
              "[" + QDir::toNativeSeparators(folder + "unversioned") + " holds version none, not the latest version 4.]");

    const auto parsed =
        vexel::ServerAddress::parse(QStringLiteral("postgresql://h/d%c3?set=x"), vexel::ServerAddress::SetName::Required);
    ASSERT_FALSE(parsed);
    EXPECT_EQ(parsed.error(), QStringLiteral("[Not a server address: [the database is not UTF-8]]"));
}
