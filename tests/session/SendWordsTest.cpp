// What a send says while it runs, in the interface's language, while the
// journal keeps its English words for whoever reads or exports it.
#include "SessionFixture.h"

#include "app/InterfaceTranslation.h"
#include "fleet/SendJournal.h"
#include "transfer/SerialLink.h"

using session_testing::SessionTest;

namespace {

class SendWords : public SessionTest {
protected:
    SendWords()
    {
        QObject::connect(&session.sendJob(), &vexel::SendJob::statusChanged,
                         [this](const QString& text) { statuses << text; });
        QObject::connect(&session.sendJob(), &vexel::SendJob::inform,
                         [this](const QString& text, bool) { informs << text; });
        session.setJournalPath(folder + QStringLiteral("journal.sqlite"));
        files({QStringLiteral("route.img")});
    }

    std::vector<vexel::JournalEntry> journal() const
    {
        const auto entries = vexel::SendJournal(folder + QStringLiteral("journal.sqlite"), QString(),
                                                QStringLiteral("depot-pc"))
                                 .entries();
        EXPECT_TRUE(entries.ok()) << entries.error().toStdString();
        return entries ? *entries : std::vector<vexel::JournalEntry>{};
    }

    QStringList statuses;
    QStringList informs;
};

} // namespace

TEST_F(SendWords, InGeorgianTheStatusAndTheBoxesButNotTheJournal)
{
    const vexel::InterfaceTranslation georgian(vexel::AppSettings::InterfaceLanguage::Georgian);
    ASSERT_TRUE(georgian.georgian()) << "the Georgian translations are not built in";

    // Nothing to send: the job got as far as preparing.
    session.sendList().setEntries({});
    EXPECT_EQ(session.send(), vexel::SendJob::Outcome::NoFiles);
    EXPECT_EQ(statuses, QStringList{QString::fromUtf8("მომზადება")});
    EXPECT_EQ(informs, QStringList{QString::fromUtf8("ფაილები არჩეული არ არის")});

    // A port that is not there: the box in Georgian, the journal's row in English.
    EXPECT_FALSE(session.link().reopen(QString(), QStringLiteral("9600")));
    EXPECT_EQ(session.link().openError(), QString::fromUtf8("პორტი არჩეული არ არის"));
    informs.clear();
    session.sendList().setEntries({QStringLiteral("route.img")});
    EXPECT_EQ(session.send(), vexel::SendJob::Outcome::PortNotOpen);
    EXPECT_EQ(informs, QStringList{QString::fromUtf8("პორტი არ გაიხსნა")});
    const std::vector<vexel::JournalEntry> rows = journal();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].reply, QStringLiteral("not sent: Port was not opened"));
}

TEST_F(SendWords, WithoutATranslationTheWordsAreTheProgramsEnglish)
{
    session.sendList().setEntries({});
    EXPECT_EQ(session.send(), vexel::SendJob::Outcome::NoFiles);
    EXPECT_EQ(statuses, QStringList{QStringLiteral("Preparing")});
    EXPECT_EQ(informs, QStringList{QStringLiteral("No files selected")});
    EXPECT_FALSE(session.link().reopen(QString(), QStringLiteral("9600")));
    EXPECT_EQ(session.link().openError(), QStringLiteral("No port chosen"));
    EXPECT_FALSE(session.link().reopen(QStringLiteral("/dev/null"), QStringLiteral("fast")));
    EXPECT_EQ(session.link().openError(), QStringLiteral("Baud rate \"fast\" is not a number"));
}
