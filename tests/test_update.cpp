#include "RecordingShell.h"
#include "TestEnvironment.h"
#include "core/Edition.h"
#include "core/HelpAndWeb.h"
#include "app/TfrmUpdate.h"
#include "app/UpdateCheck.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

namespace {

/// A small HTTP server on 127.0.0.1 that answers each path as planned: whole,
/// cut short of its announced length, or slowly in chunks.
class PlannedServer : public QObject
{
public:
    struct Answer
    {
        int status = 200;
        QByteArray body;
        qint64 announced = -1; // Content-Length; the body size when -1
        int chunkDelayMs = 0;  // > 0: send in chunks of 256 bytes
        bool silent = false;   // takes the request and never answers
    };

    PlannedServer()
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
        });
    }

    QUrl base() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/docs/").arg(m_server.serverPort())); }

    QHash<QByteArray, Answer> answers;

private:
    void serve(QTcpSocket *socket)
    {
        m_requests[socket] += socket->readAll();
        const QByteArray request = m_requests[socket];
        if (!request.contains("\r\n\r\n"))
            return;
        const QByteArray path = request.split(' ').value(1);
        const Answer answer = answers.value(path, Answer{404, "not here", -1, 0});
        if (answer.silent)
            return;
        const qint64 length = answer.announced >= 0 ? answer.announced : answer.body.size();
        socket->write(QByteArray("HTTP/1.1 ") + QByteArray::number(answer.status) + " X\r\nContent-Length: "
                      + QByteArray::number(length) + "\r\nConnection: close\r\n\r\n");
        if (answer.chunkDelayMs <= 0) {
            socket->write(answer.body);
            socket->disconnectFromHost();
            return;
        }
        auto *timer = new QTimer(socket);
        auto sent = std::make_shared<qsizetype>(0);
        connect(timer, &QTimer::timeout, socket, [socket, timer, sent, body = answer.body] {
            socket->write(body.mid(*sent, 256));
            *sent += 256;
            if (*sent >= body.size()) {
                timer->stop();
                socket->disconnectFromHost();
            }
        });
        timer->start(answer.chunkDelayMs);
    }

    QTcpServer m_server;
    QHash<QTcpSocket *, QByteArray> m_requests;
};

} // namespace

class TestUpdate : public QObject
{
    Q_OBJECT

    QTemporaryDir m_temp;
    PlannedServer m_server;

    struct Window
    {
        explicit Window(TestSession &session, std::chrono::milliseconds answerTimeout = UpdateClient::kAnswerTimeout)
            : dialog(session.context, nullptr, answerTimeout)
        {
            dialog.show();
            QApplication::setActiveWindow(&dialog);
        }
        QString info() const { return dialog.findChild<QLabel *>(QStringLiteral("lblUpdateInfo"))->text(); }
        QPushButton *download() const { return dialog.findChild<QPushButton *>(QStringLiteral("btnDownloadUpdate")); }
        TfrmUpdate dialog;
    };

    const QString kNewer = QStringLiteral("A newer version is available.\nDo you want to download now?");
    const QString kNone = QStringLiteral("No new updates are available at this time.\nPlease check back later.");
    const QString kError = QStringLiteral("Unable to connect to the Download Server.\nPlease try again later!");

private slots:
    void initTestCase()
    {
        qputenv("TMPDIR", m_temp.path().toUtf8());
        QCOMPARE(UpdateCheck::serverBase().scheme(), QStringLiteral("https"));
        UpdateCheck::setServerBaseForTests(m_server.base());
    }

    void versionComparison_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("verdict");
        using V = UpdateCheck::Verdict;
        QTest::newRow("same") << QByteArray("6111") << int(V::NotNewer);
        QTest::newRow("build newer") << QByteArray("6112") << int(V::Newer);
        QTest::newRow("major newer") << QByteArray("7000") << int(V::Newer);
        QTest::newRow("older major, bigger rest") << QByteArray("5999") << int(V::NotNewer);
        QTest::newRow("trailing line break") << QByteArray("6120\r\n") << int(V::Newer);
        QTest::newRow("points") << QByteArray("6.1.1.2") << int(V::Unreadable);
        QTest::newRow("empty") << QByteArray() << int(V::Unreadable);
        QTest::newRow("five digits") << QByteArray("61112") << int(V::Unreadable);
        QTest::newRow("letters") << QByteArray("61a2") << int(V::Unreadable);
    }

    void versionComparison()
    {
        QFETCH(QByteArray, answer);
        QFETCH(int, verdict);
        QCOMPARE(int(UpdateCheck::compare(answer)), verdict);
    }

    void serverAnswersAreShown_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("canDownload");
        QTest::newRow("newer") << 200 << QByteArray("6112") << kNewer << true;
        QTest::newRow("same") << 200 << QByteArray("6111") << kNone << false;
        QTest::newRow("malformed") << 200 << QByteArray("6.1.1.2") << kError << false;
        QTest::newRow("empty") << 200 << QByteArray() << kError << false;
        QTest::newRow("huge") << 200 << QByteArray(200000, '7') << kError << false;
        QTest::newRow("missing") << 404 << QByteArray("7000") << kError << false;
    }

    void serverAnswersAreShown()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, shown);
        QFETCH(bool, canDownload);
        m_server.answers["/docs/lunvard6.txt"] = {status, body, -1, 0};
        TestSession session(Edition::Lunvard);
        session.start();
        Window window(session);
        QTRY_COMPARE(window.info(), shown);
        QCOMPARE(window.download()->isEnabled(), canDownload);
        QVERIFY(window.dialog.closingAllowed());
    }

    void silentServerShowsConnectingThenGivesUp()
    {
        QCOMPARE(UpdateClient::kAnswerTimeout, std::chrono::milliseconds(10000));
        m_server.answers["/docs/ostrev6.txt"] = {200, {}, -1, 0, true};
        TestSession session(Edition::Ostrev);
        session.start();
        Window window(session, std::chrono::milliseconds(300));
        QTRY_COMPARE(window.info(), QStringLiteral("Connecting to the update server . . ."));
        QVERIFY(window.dialog.findChild<QProgressBar *>(QStringLiteral("ProgressBarUpdate"))->isVisible());
        QTRY_COMPARE(window.info(), kError);
        QVERIFY(!window.dialog.findChild<QProgressBar *>(QStringLiteral("ProgressBarUpdate"))->isVisible());
        QVERIFY(!window.download()->isEnabled());
        QVERIFY(window.dialog.closingAllowed());
    }

    void completeDownloadIsHandedOn()
    {
        const QByteArray installer(5000, 'i');
        m_server.answers["/docs/corvalo6.txt"] = {200, "6112", -1, 0};
        m_server.answers["/docs/corvalo6.exe"] = {200, installer, -1, 0};
        TestSession session(Edition::Corvalo);
        session.start();
        RecordingShell shell;
        session.context.setShell(&shell);
        Window window(session);
        QTRY_VERIFY(window.download()->isEnabled());
        QTest::mouseClick(window.download(), Qt::LeftButton);
        QTRY_COMPARE(shell.quits, 1);
        QCOMPARE(session.prompts.messages("Information"),
                 QStringList{QStringLiteral("Corvalo will now close and install updates.")});
        QCOMPARE(shell.files, QStringList{UpdateCheck::installerPath(session.context.edition())});
        QFile file(shell.files.first());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), installer);
    }

    void installerThatCannotStartIsReported()
    {
        m_server.answers["/docs/ostrev6.txt"] = {200, "6112", -1, 0};
        m_server.answers["/docs/ostrev6.exe"] = {200, QByteArray(100, 'x'), -1, 0};
        TestSession session(Edition::Ostrev);
        session.start();
        RecordingShell shell;
        shell.opens = false;
        session.context.setShell(&shell);
        Window window(session);
        QTRY_VERIFY(window.download()->isEnabled());
        QTest::mouseClick(window.download(), Qt::LeftButton);
        QTRY_COMPARE(session.prompts.messages("Plain"), QStringList{QStringLiteral("Unable to open the update file!")});
        QCOMPARE(shell.quits, 0);
    }

    void truncatedDownloadLeavesNothingToRun()
    {
        m_server.answers["/docs/heddrin6.txt"] = {200, "7000", -1, 0};
        m_server.answers["/docs/heddrin6.exe"] = {200, QByteArray(400, 'h'), 1000, 0};
        TestSession session(Edition::Heddrin);
        session.start();
        RecordingShell shell;
        session.context.setShell(&shell);
        const QString path = UpdateCheck::installerPath(session.context.edition());
        QFile::remove(path);
        Window window(session);
        QTRY_VERIFY(window.download()->isEnabled());
        QTest::mouseClick(window.download(), Qt::LeftButton);
        QTRY_COMPARE(window.info(), kError);
        QVERIFY(window.dialog.closingAllowed());
        QVERIFY(!QFile::exists(path));
        QVERIFY(shell.files.isEmpty());
        QCOMPARE(QDir(m_temp.path()).entryList({QStringLiteral("heddrin6*")}, QDir::Files | QDir::Hidden), QStringList());
    }

    void windowCannotCloseDuringADownload()
    {
        m_server.answers["/docs/lunvard6.txt"] = {200, "6112", -1, 0};
        m_server.answers["/docs/lunvard6.exe"] = {200, QByteArray(4096, 's'), -1, 20};
        TestSession session(Edition::Lunvard);
        session.start();
        RecordingShell shell;
        session.context.setShell(&shell);
        Window window(session);
        QTRY_VERIFY(window.download()->isEnabled());
        QTest::mouseClick(window.download(), Qt::LeftButton);
        QCOMPARE(window.info(), QStringLiteral("Downloading . . ."));
        auto *bar = window.dialog.findChild<QProgressBar *>(QStringLiteral("ProgressBarUpdate"));
        QVERIFY(bar->isVisible());
        QTRY_VERIFY(bar->value() > 0);
        QVERIFY(!window.dialog.closingAllowed());
        window.dialog.close();
        QVERIFY(window.dialog.isVisible());
        QTest::keyClick(&window.dialog, Qt::Key_Escape);
        QVERIFY(window.dialog.isVisible());
        QTRY_COMPARE(shell.quits, 1);
        QVERIFY(window.dialog.closingAllowed());
        window.dialog.close();
        QVERIFY(!window.dialog.isVisible());
    }

    void helpAndWebSite()
    {
        TestSession session(Edition::Lunvard);
        session.start();
        RecordingShell shell;
        session.context.setShell(&shell);
        session.context.pOpenHelp();
        QCOMPARE(shell.files.size(), 1);
        QVERIFY(shell.files.first().endsWith(QStringLiteral("/lunvardhelp.html")));
        HelpAndWeb::pOpenWebSite(session.context.shell(), session.context.prompts());
        QCOMPARE(shell.urls, QList<QUrl>{HelpAndWeb::webSite()});
        QCOMPARE(HelpAndWeb::webSite().scheme(), QStringLiteral("https"));
        QCOMPARE(session.prompts.asked.size(), 0);

        shell.opens = false;
        session.context.pOpenHelp();
        HelpAndWeb::pOpenWebSite(session.context.shell(), session.context.prompts());
        QCOMPARE(session.prompts.messages("Plain"), QStringList({QStringLiteral("Unable to open the Help files!"),
                                                                 QStringLiteral("Unable to open the Web Browser!")}));
    }
};

QTEST_MAIN(TestUpdate)
#include "test_update.moc"
