#include "RecordingPrintModule.h"
#include "RecordingShell.h"
#include "TestEnvironment.h"
#include "app/DesktopShell.h"
#include "core/Edition.h"
#include "core/EmailAddresses.h"
#include "core/MailAttachments.h"
#include "core/MailOpener.h"
#include "customers/CustomerStore.h"
#include "data/Database.h"
#include "data/DbError.h"
#include "editing/DocumentMail.h"
#include "editing/EditingSession.h"
#include "invoice/DocumentStore.h"
#include "printing/TmodPrintData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

/// A started program whose shell and printing only record.
struct Mailing : TestSession
{
    Mailing()
        : TestSession(Edition::Corvalo)
    {
        start(QDate(2026, 12, 9));
        context.setShell(&shell);
    }

    qint64 addCustomer(const QString &company, const QString &first, const QString &last, const QString &address,
                       const QString &email)
    {
        CustomerRecord c;
        c.strCustCompany = company;
        c.strCustFirstName = first;
        c.strCustLastName = last;
        c.strCustAddress = address;
        c.strCustEmail = email;
        return CustomerStore(context).save(c);
    }

    /// The current document: invoice 512 for \a customerId, printed with these names.
    void document(qint64 customerId, const QString &company, const QString &fullName)
    {
        TrecInvHeader &h = context.document.header;
        h.strInvName = QStringLiteral("Invoice");
        h.intInvNumber = 512;
        h.intCustomerID = customerId;
        h.strCustCmpnyName = company;
        h.strCustFullName = fullName;
    }

    RecordingShell shell;
};

int modeOf(const QString &path)
{
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return -1;
    return int(info.st_mode);
}

void makeOld(const QString &path)
{
    const timeval twoDaysAgo{::time(nullptr) - 2 * 24 * 3600, 0};
    const timeval times[2] = {twoDaysAgo, twoDaysAgo};
    QVERIFY(::lutimes(QFile::encodeName(path).constData(), times) == 0);
}

QString randomText(QRandomGenerator &random)
{
    static const QString alphabet = QStringLiteral("-- ab@.,;<>\"'%&?=+/\\\n\t~ü日");
    QString text;
    const int length = int(random.bounded(12));
    for (int i = 0; i < length; ++i)
        text += alphabet[int(random.bounded(alphabet.size()))];
    return text;
}

} // namespace

class TestMail : public QObject
{
    Q_OBJECT

private slots:
    void goesToTheDocumentsCustomerById()
    {
        Mailing m;
        RecordingPrintModule printing(m.context);
        m.addCustomer("Twin Co", "Tom", "Twin", "1 First St", "tom@first.test");
        const qint64 second = m.addCustomer("Twin Co", "Tom", "Twin", "2 Second St", "tom@second.test");
        m.document(second, "Twin Co", "Tom Twin");
        QVERIFY(DocumentMail::pEmailDocument(m.context));
        QCOMPARE(m.shell.mails.last().to, QStringLiteral("tom@second.test"));
        QCOMPARE(m.shell.mails.last().subject, QStringLiteral("Invoice 512 from My Company Name"));

        // A renamed customer is still the document's customer.
        CustomerRecord renamed = *CustomerStore(m.context).find(second);
        renamed.strCustCompany = QStringLiteral("Twin Holdings");
        CustomerStore(m.context).save(renamed);
        QVERIFY(DocumentMail::pEmailDocument(m.context));
        QCOMPARE(m.shell.mails.last().to, QStringLiteral("tom@second.test"));
        QVERIFY(m.prompts.asked.isEmpty());
    }

    void olderDocumentsMatchByNameOnlyWhenOneCustomerDoes()
    {
        Mailing m;
        RecordingPrintModule printing(m.context);
        m.addCustomer("Twin Co", "Tom", "Twin", "1 First St", "tom@first.test");
        m.addCustomer("Twin Co", "Tom", "Twin", "2 Second St", "tom@second.test");
        m.addCustomer("Solo Ltd", "Sam", "Solo", "3 Third St", "sam@solo.test");

        m.document(0, "Solo Ltd", "Sam Solo");
        QVERIFY(DocumentMail::pEmailDocument(m.context));
        QCOMPARE(m.shell.mails.last().to, QStringLiteral("sam@solo.test"));

        // Two customers carry the names: the user decides, and No sends nothing.
        m.document(0, "Twin Co", "Tom Twin");
        m.prompts.answers = {Prompts::No};
        QVERIFY(!DocumentMail::pEmailDocument(m.context));
        QVERIFY(m.prompts.lastMessage().startsWith("More than one customer on file is named \"Twin Co / Tom Twin\""));
        QCOMPARE(m.shell.mails.size(), 1);
        QCOMPARE(printing.calls.size(), 1);

        m.prompts.answers = {Prompts::Yes};
        QVERIFY(DocumentMail::pEmailDocument(m.context));
        QCOMPARE(m.shell.mails.last().to, QString());

        // No such customer: asked too.
        m.document(0, "Gone Inc", "Nobody");
        m.prompts.answers = {Prompts::Yes};
        QVERIFY(DocumentMail::pEmailDocument(m.context));
        QVERIFY(m.prompts.lastMessage().startsWith("No customer on file"));
        QCOMPARE(m.shell.mails.last().to, QString());
    }

    void storedAddressesAreCheckedBeforeTheyGoOut()
    {
        Mailing m;
        RecordingPrintModule printing(m.context);
        const qint64 id = m.addCustomer("Bad Co", "Bea", "Bad", "1 St", "");
        m.db()->prepare("UPDATE tblCustomers SET strCustEmail = ? WHERE intCustomerID = ?")
            .bindAll(QStringLiteral("not an address <x>; rm -rf ~"), id)
            .run();
        m.document(id, "Bad Co", "Bea Bad");
        m.prompts.answers = {Prompts::Yes};
        QVERIFY(DocumentMail::pEmailDocument(m.context));
        QVERIFY(m.prompts.lastMessage().contains("not an address <x>; rm -rf ~"));
        QCOMPARE(m.shell.mails.last().to, QString());

        m.db()->prepare("UPDATE tblCustomers SET strCustEmail = '' WHERE intCustomerID = ?").bindAll(id).run();
        m.prompts.answers = {Prompts::No};
        QVERIFY(!DocumentMail::pEmailDocument(m.context));
        QVERIFY(m.prompts.lastMessage().startsWith("The customer of this Invoice has no e-mail address on file."));
        QCOMPARE(m.shell.mails.size(), 1);
    }

    void aFailingOrMissingOpenerOffersToSaveThePdf_data()
    {
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("said");
        QTest::newRow("opener fails") << int(Shell::MailOutcome::Failed)
                                      << "The mail program could not open a message for the Invoice";
        QTest::newRow("no opener") << int(Shell::MailOutcome::NoMailProgram)
                                   << "No mail program was found to send the Invoice with.";
    }

    void aFailingOrMissingOpenerOffersToSaveThePdf()
    {
        QFETCH(int, outcome);
        QFETCH(QString, said);
        Mailing m;
        RecordingPrintModule printing(m.context);
        m.document(m.addCustomer("Co", "Al", "Lee", "1 St", "al@lee.test"), "Co", "Al Lee");
        m.shell.mailOutcome = Shell::MailOutcome(outcome);
        m.prompts.answers = {Prompts::Yes};
        QVERIFY(!DocumentMail::pEmailDocument(m.context));
        QVERIFY2(m.prompts.lastMessage().startsWith(said), qPrintable(m.prompts.lastMessage()));
        QVERIFY(m.prompts.lastMessage().endsWith("Save it as a PDF file instead?"));
        QCOMPARE(printing.calls.last(), QStringLiteral("pdf 1"));

        // A PDF that could not be written sends nothing.
        printing.succeeds = false;
        QVERIFY(!DocumentMail::pEmailDocument(m.context));
        QCOMPARE(m.shell.mails.size(), 1);
    }

    void attachmentGoesToANewPrivateFolder()
    {
        Mailing m;
        TmodPrintData printing(m.context);
        m.context.printModule = &printing;
        const auto detach = qScopeGuard([&m] { m.context.printModule = nullptr; });
        m.document(m.addCustomer("Co", "Al", "Lee", "1 St", "al@lee.test"), "Co", "Al Lee");

        // Another user plants a link where a fixed attachment path would be.
        const QString victim = m.folder.path() + QStringLiteral("/victim.txt");
        QFile precious(victim);
        QVERIFY(precious.open(QIODevice::WriteOnly));
        precious.write("precious");
        precious.close();
        const QDir temp(QDir::tempPath());
        QVERIFY(temp.mkpath("Tarnwick Mail"));
        QVERIFY(QFile::link(victim, temp.filePath("Tarnwick Mail/Invoice  512.pdf")));

        QVERIFY(DocumentMail::pEmailDocument(m.context));
        QVERIFY(DocumentMail::pEmailDocument(m.context));
        QCOMPARE(m.shell.mails.size(), 2);
        QStringList folders;
        for (const RecordingShell::Mail &mail : m.shell.mails) {
            const QFileInfo attachment(mail.attachment);
            QCOMPARE(attachment.fileName(), QStringLiteral("Invoice  512.pdf"));
            QVERIFY(!attachment.isSymLink());
            QVERIFY(S_ISREG(modeOf(mail.attachment)));
            QFile pdf(mail.attachment);
            QVERIFY(pdf.open(QIODevice::ReadOnly));
            QVERIFY(pdf.read(5) == "%PDF-");
            const QString folder = attachment.absolutePath();
            QVERIFY(QFileInfo(folder).fileName().startsWith("tarnwick-mail-"));
            QCOMPARE(QFileInfo(folder).absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
            QVERIFY(S_ISDIR(modeOf(folder)));
            QCOMPARE(modeOf(folder) & 0777, 0700);
            folders << folder;
        }
        QVERIFY(folders[0] != folders[1]);
        QVERIFY(precious.open(QIODevice::ReadOnly));
        QCOMPARE(precious.readAll(), QByteArray("precious"));
    }

    void oldAttachmentFoldersAreRemovedButNeverOthers()
    {
        TestDataFolder data;
        QString error;
        const QString fresh = MailAttachments::makeFolder(&error);
        const QString old = MailAttachments::makeFolder(&error);
        QVERIFY2(!fresh.isEmpty() && !old.isEmpty(), qPrintable(error));
        QFile inside(old + QStringLiteral("/Invoice  7.pdf"));
        QVERIFY(inside.open(QIODevice::WriteOnly));
        inside.close();
        makeOld(old);

        // A link named like ours, to a folder of the user's: never followed.
        const QString keep = data.path() + QStringLiteral("/keep");
        QVERIFY(QDir().mkpath(keep));
        QFile kept(keep + QStringLiteral("/letter.txt"));
        QVERIFY(kept.open(QIODevice::WriteOnly));
        kept.close();
        const QString link = QDir::tempPath() + QStringLiteral("/tarnwick-mail-link");
        QVERIFY(QFile::link(keep, link));
        makeOld(link);
        // A folder of another user is not ours to remove.
        const QString others = QDir::tempPath() + QStringLiteral("/tarnwick-mail-others");
        QVERIFY(QDir().mkpath(others));
        const bool asRoot = ::geteuid() == 0;
        if (asRoot)
            QVERIFY(::chown(QFile::encodeName(others).constData(), 65534, 65534) == 0);
        makeOld(others);

        QCOMPARE(MailAttachments::removeOldFolders(), asRoot ? 1 : 2);
        QVERIFY(!QFileInfo::exists(old));
        QVERIFY(QFileInfo::exists(fresh));
        QVERIFY(QFileInfo(link).isSymLink());
        QVERIFY(kept.exists());
        QCOMPARE(QFileInfo::exists(others), asRoot);

        // The next start clears what an earlier run left.
        makeOld(fresh);
        TestSession s(Edition::Ostrev);
        qputenv("TMPDIR", data.tempPath().toUtf8());
        s.start();
        QVERIFY(!QFileInfo::exists(fresh));
    }

    void unsavedDocumentIsSavedBeforeItIsMailed()
    {
        Mailing m;
        RecordingPrintModule printing(m.context);
        EditingSession session(m.context);
        TrecInvHeader &h = m.context.document.header;
        h.blnNewInvoice = true;
        DocumentStore(m.context).pLoadInvoice();
        session.open();
        h.strCustFullName = QStringLiteral("Jane \"JD\" Doe");
        m.context.document.lines.appendPriceLine({QStringLiteral("Paint"), 2, 10, 5, true, true});
        session.documentEdited();
        const auto saved = [&m] { return m.db()->queryInt("SELECT COUNT(*) FROM tblInvHeader"); };

        m.prompts.answers = {Prompts::Yes}; // no customer on file: go on without a recipient
        QVERIFY(session.email());
        QCOMPARE(saved(), 1);
        QVERIFY(!h.blnNewInvoice);
        QVERIFY(!session.isModified());
        QCOMPARE(m.shell.mails.last().subject,
                 QStringLiteral("%1 %2 from My Company Name").arg(h.strInvName).arg(h.intInvNumber));

        // A change is saved too; when saving fails nothing goes out.
        session.setPONumber(QStringLiteral("PO 9"));
        m.db()->exec("CREATE TRIGGER refuse BEFORE UPDATE ON tblInvHeader BEGIN SELECT RAISE(ABORT, 'refused'); END");
        QVERIFY(!session.email());
        QCOMPARE(m.shell.mails.size(), 1);
        QVERIFY(m.prompts.messages("Error").last().contains("refused"));
        QVERIFY(session.isModified());

        m.db()->exec("DROP TRIGGER refuse");
        m.prompts.answers = {Prompts::Yes};
        QVERIFY(session.email());
        QCOMPARE(m.shell.mails.size(), 2);
        Statement po = m.db()->prepare("SELECT strCustPONumber FROM tblInvHeader");
        QVERIFY(po.step());
        QCOMPARE(po.textAt(0), QStringLiteral("PO 9"));
    }

    void openerArgumentsCannotBeReadAsOptions()
    {
        QRandomGenerator random(29);
        for (int i = 0; i < 500; ++i) {
            const QString to = randomText(random);
            const QString subject = randomText(random);
            const QString attachment = QStringLiteral("--") + randomText(random).remove('/') + QStringLiteral(".pdf");
            const QStringList args = MailOpener::arguments(to, subject, attachment);
            QCOMPARE(args.mid(0, 2), (QStringList{"--utf8", "--subject"}));
            QCOMPARE(args[2], subject); // the value of its option, whatever it holds
            QCOMPARE(args[3], QStringLiteral("--attach"));
            QVERIFY(QFileInfo(args[4]).isAbsolute() && args[4].startsWith('/'));
            QCOMPARE(QFileInfo(args[4]).fileName(), QFileInfo(attachment).fileName());
            if (to.trimmed().isEmpty()) {
                QCOMPARE(args.size(), 5);
                continue;
            }
            QCOMPARE(args.size(), 6);
            const QString address = args[5];
            QVERIFY2(address.startsWith("mailto:"), qPrintable(address));
            for (const QChar c : address)
                QVERIFY2(c.unicode() > 32 && c.unicode() < 127 && !QStringLiteral("\"'<>;\\ ").contains(c),
                         qPrintable(address));
            QStringList back;
            for (const QString &part : to.split(','))
                back << part.trimmed();
            QCOMPARE(QUrl::fromPercentEncoding(address.mid(7).toUtf8()), back.join(','));
        }
    }

    void desktopShellCountsTheOpenersExitStatus()
    {
        QTemporaryDir bin;
        const QString argsFile = bin.filePath("args.txt");
        QFile script(bin.filePath("xdg-email"));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$TARNWICK_TEST_ARGS\"\nexit \"$TARNWICK_TEST_EXIT\"\n");
        script.close();
        QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QByteArray path = qgetenv("PATH");
        const auto restore = qScopeGuard([path] {
            qputenv("PATH", path);
            qunsetenv("TARNWICK_TEST_ARGS");
            qunsetenv("TARNWICK_TEST_EXIT");
        });
        qputenv("PATH", bin.path().toUtf8() + ":/usr/bin:/bin");
        qputenv("TARNWICK_TEST_ARGS", argsFile.toUtf8());

        DesktopShell shell;
        qputenv("TARNWICK_TEST_EXIT", "0");
        QCOMPARE(shell.composeMail("--help@x.test", "Invoice 5", "Invoice  5.pdf"), Shell::MailOutcome::Opened);
        QFile written(argsFile);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QStringList got = QString::fromUtf8(written.readAll()).split('\n', Qt::SkipEmptyParts);
        written.close();
        QCOMPARE(got, MailOpener::arguments("--help@x.test", "Invoice 5", "Invoice  5.pdf"));
        QCOMPARE(got.last(), QStringLiteral("mailto:--help@x.test"));

        // Run but failed (no mail program set up): not taken for sent.
        qputenv("TARNWICK_TEST_EXIT", "3");
        QCOMPARE(shell.composeMail("a@b.test", "Invoice 5", "Invoice  5.pdf"), Shell::MailOutcome::Failed);

        QVERIFY(QFile::remove(script.fileName()));
        qputenv("PATH", bin.path().toUtf8());
        QCOMPARE(shell.composeMail("a@b.test", "Invoice 5", "Invoice  5.pdf"), Shell::MailOutcome::NoMailProgram);
    }

    void addressesAreChecked_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("usable");
        QTest::newRow("plain") << "a@b.co" << true;
        QTest::newRow("dots, plus, subdomain") << "first.last+tag@sub.example.com" << true;
        QTest::newRow("apostrophe") << "o'brien@example.test" << true;
        QTest::newRow("unicode") << "jürgen@bücher.example" << true;
        QTest::newRow("several") << " a@b.co,  c@d.org " << true;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("leading dashes") << "--x@y.test" << true;
        QTest::newRow("hostile") << "not an address <x>; rm -rf ~" << false;
        QTest::newRow("no domain dot") << "a@b" << false;
        QTest::newRow("blank") << "a b@c.com" << false;
        QTest::newRow("no name") << "@c.com" << false;
        QTest::newRow("no domain") << "a@" << false;
        QTest::newRow("empty label") << "a@c..com" << false;
        QTest::newRow("leading dot") << ".a@c.com" << false;
        QTest::newRow("double dot") << "a..b@c.com" << false;
        QTest::newRow("trailing comma") << "a@b.com," << false;
        QTest::newRow("semicolons") << "a@b.com;c@d.com" << false;
        QTest::newRow("quotes") << "\"a\"@b.com" << false;
        QTest::newRow("hyphen label") << "a@-b.com" << false;
        QTest::newRow("numeric top level") << "a@b.1" << false;
        QTest::newRow("angle brackets") << "Al <al@b.com>" << false;
        QTest::newRow("two at") << "a@b@c.com" << false;
        QTest::newRow("too long") << QString(300, 'a') + "@b.com" << false;
    }

    void addressesAreChecked()
    {
        QFETCH(QString, text);
        QFETCH(bool, usable);
        const auto problem = EmailAddresses::problem(text);
        QVERIFY2(problem.has_value() != usable, qPrintable(problem.value_or("usable")));
        if (problem)
            QVERIFY2(problem->contains(text.trimmed().left(20)), qPrintable(*problem));
    }
};

QTEST_MAIN(TestMail)
#include "test_mail.moc"
