#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

/// Folder -> the folders its files include, with one including file as witness.
using FolderGraph = QMap<QString, QMap<QString, QString>>;

QDir sourceDir()
{
    return QDir(QStringLiteral(TARNWICK_SOURCE_DIR));
}

FolderGraph readIncludes()
{
    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s+\"([A-Za-z_]+)/[^\"]+\""),
                                            QRegularExpression::MultilineOption);
    FolderGraph graph;
    QDirIterator files(sourceDir().path(), {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        const QString folder = sourceDir().relativeFilePath(path).section(QLatin1Char('/'), 0, 0);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(path));
        const QString text = QString::fromUtf8(file.readAll());
        for (auto match = include.globalMatch(text); match.hasNext();) {
            const QString target = match.next().captured(1);
            if (target != folder)
                graph[folder].insert(target, sourceDir().relativeFilePath(path));
        }
    }
    return graph;
}

/// A path of folders that leads from \a from back to itself, or empty.
QStringList circleThrough(const FolderGraph &graph, const QString &from)
{
    QList<QStringList> paths{{from}};
    QSet<QString> seen;
    while (!paths.isEmpty()) {
        const QStringList path = paths.takeFirst();
        for (const QString &next : graph.value(path.last()).keys()) {
            if (next == from)
                return path + QStringList{next};
            if (!seen.contains(next)) {
                seen.insert(next);
                paths.append(path + QStringList{next});
            }
        }
    }
    return {};
}

QString describe(const FolderGraph &graph, const QStringList &circle)
{
    QStringList steps;
    for (qsizetype i = 0; i + 1 < circle.size(); ++i)
        steps << QStringLiteral("%1 -> %2 (%3)").arg(circle[i], circle[i + 1], graph[circle[i]][circle[i + 1]]);
    return steps.join(QStringLiteral(", "));
}

} // namespace

/// Keeps the folders layered: core at the bottom, app at the top, and edition
/// differences behind the edition facts.
class TestLayering : public QObject
{
    Q_OBJECT

private slots:
    void sourcesAreFound()
    {
        const FolderGraph graph = readIncludes();
        // A wrong source path would make the checks below pass on nothing.
        QVERIFY(graph.contains(QStringLiteral("app")));
        QVERIFY(graph[QStringLiteral("app")].contains(QStringLiteral("core")));
    }

    void noFolderIncludesItselfInACircle()
    {
        const FolderGraph graph = readIncludes();
        QStringList circles;
        for (const QString &folder : graph.keys()) {
            const QStringList circle = circleThrough(graph, folder);
            if (!circle.isEmpty())
                circles << describe(graph, circle);
        }
        if (!circles.isEmpty())
            QFAIL(qPrintable(circles.join(QLatin1Char('\n'))));
    }

    void coreUsesNoOtherFolder()
    {
        const FolderGraph graph = readIncludes();
        QCOMPARE(graph.value(QStringLiteral("core")).keys(), QStringList());
    }

    void editionsDifferOnlyThroughTheirFacts()
    {
        static const QRegularExpression bare(
            QStringLiteral("GetEditionNumber\\(\\)\\s*[!=]=|[!=]=\\s*Edition::(Corvalo|Heddrin|Ostrev|Lunvard)\\b"));
        QStringList found;
        QDirIterator files(sourceDir().path(), {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            const QString relative = sourceDir().relativeFilePath(path);
            if (relative.startsWith(QLatin1String("core/Edition.")))
                continue;
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            int line = 0;
            while (!file.atEnd()) {
                ++line;
                if (bare.match(QString::fromUtf8(file.readLine())).hasMatch())
                    found << QStringLiteral("%1:%2").arg(relative).arg(line);
            }
        }
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char(' '))));
    }
};

QTEST_GUILESS_MAIN(TestLayering)
#include "test_layering.moc"
