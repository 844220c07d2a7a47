#include "core/TypedDate.h"
#include "widgets/InputGuards.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QDialog>
#include <QTest>
#include <QVBoxLayout>

namespace {

const QDate kToday(2026, 12, 9);

QLocale german() { return QLocale(QLocale::German, QLocale::Germany); }
QLocale american() { return QLocale(QLocale::English, QLocale::UnitedStates); }

/// A date field in a dialog with a default button and a second field to move to.
struct FieldWindow
{
    explicit FieldWindow(const QLocale &locale)
    {
        auto *layout = new QVBoxLayout(&dialog);
        field = new DateField(&dialog);
        field->setLocale(locale);
        QString format = locale.dateFormat(QLocale::ShortFormat);
        if (!format.contains(QLatin1String("yyyy")))
            format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
        field->setDisplayFormat(format);
        field->setDate(QDate(2026, 12, 9));
        other = new QLineEdit(&dialog);
        ok = new QPushButton(QStringLiteral("OK"), &dialog);
        ok->setDefault(true);
        QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
        layout->addWidget(field);
        layout->addWidget(other);
        layout->addWidget(ok);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        field->setFocus();
    }

    void typeOver(const QString &text)
    {
        field->findChild<QLineEdit *>()->selectAll();
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }

    QDialog dialog;
    DateField *field;
    QLineEdit *other;
    QPushButton *ok;
};

} // namespace

class TestDates : public QObject
{
    Q_OBJECT

private slots:
    void readsWhatPeopleType_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        const QLocale c = QLocale::c();
        QTest::newRow("de short, no zeros") << german() << "2.11.2026" << QDate(2026, 11, 2);
        QTest::newRow("de short, day without zero") << german() << "1.10.2026" << QDate(2026, 10, 1);
        QTest::newRow("de short, zeros") << german() << "01.10.2026" << QDate(2026, 10, 1);
        QTest::newRow("de two-digit year") << german() << "1.10.26" << QDate(2026, 10, 1);
        QTest::newRow("de long") << german() << "Mittwoch, 9. Dezember 2026" << QDate(2026, 12, 9);
        QTest::newRow("de month name, any case") << german() << "9. dezember 2026" << QDate(2026, 12, 9);
        QTest::newRow("de umlaut month") << german() << "3. März 2027" << QDate(2027, 3, 3);
        QTest::newRow("de iso") << german() << "2026-10-01" << QDate(2026, 10, 1);
        QTest::newRow("C slashes, day first") << c << "1/10/2026" << QDate(2026, 10, 1);
        QTest::newRow("C iso") << c << "2026-10-01" << QDate(2026, 10, 1);
        QTest::newRow("C dots") << c << "01.10.2026" << QDate(2026, 10, 1);
        QTest::newRow("C month short name") << c << "1 Oct 2026" << QDate(2026, 10, 1);
        QTest::newRow("us month first") << american() << "1/10/2026" << QDate(2026, 1, 10);
        QTest::newRow("us leading zeros") << american() << "01/10/2026" << QDate(2026, 1, 10);
        QTest::newRow("us two-digit year") << american() << "10/1/26" << QDate(2026, 10, 1);
        QTest::newRow("us long") << american() << "Thursday, October 1, 2026" << QDate(2026, 10, 1);
        QTest::newRow("us name first") << american() << "Oct 1 2026" << QDate(2026, 10, 1);
        QTest::newRow("surrounding blanks") << american() << "  1/10/2026 " << QDate(2026, 1, 10);
        // The century nearest today: from 2026, "76" is 2076 and "77" is 1977.
        QTest::newRow("two digits, 50 ahead") << german() << "1.1.76" << QDate(2076, 1, 1);
        QTest::newRow("two digits, 49 back") << german() << "1.1.77" << QDate(1977, 1, 1);
        QTest::newRow("two digits, last century") << german() << "31.12.99" << QDate(1999, 12, 31);
    }

    void readsWhatPeopleType()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QCOMPARE(TypedDate::read(text, locale, kToday), std::optional<QDate>(date));
    }

    void refusesWhatIsNotAWholeDate_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        for (const char *text : {"", "1", "1.10", "1.10.", "1.10.202", "1.10.20266", "31.2.2026", "0.1.2026",
                                 "1.13.2026", "1 O", "1 Oct", "Oct 2026", "2026-13-01", "2026-02-30", "1.10.2026 x",
                                 "123.1.2026", "1.1.1.2026", "1.1.0026", "\xe2\x80\xae" "1.1.2026"})
            QTest::newRow(text) << german() << QString::fromUtf8(text);
    }

    void refusesWhatIsNotAWholeDate()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QCOMPARE(TypedDate::read(text, locale, kToday), std::nullopt);
    }

    void everyDayOfTwoYearsReadsBackInEveryForm()
    {
        // What the field shows must read back as the same day, in each locale.
        for (const QLocale &locale : {german(), american(), QLocale::c(), QLocale(QLocale::French, QLocale::France),
                                      QLocale(QLocale::Spanish, QLocale::Spain)}) {
            for (QDate day(2026, 1, 1); day < QDate(2028, 1, 1); day = day.addDays(1)) {
                for (QLocale::FormatType form : {QLocale::ShortFormat, QLocale::LongFormat}) {
                    const QString shown = locale.toString(day, form);
                    const std::optional<QDate> read = TypedDate::read(shown, locale, kToday);
                    if (read != day)
                        QFAIL(qPrintable(QStringLiteral("%1 read \"%2\" as %3")
                                             .arg(locale.name(), shown, read ? read->toString(Qt::ISODate)
                                                                            : QStringLiteral("nothing"))));
                }
                QCOMPARE(TypedDate::read(day.toString(Qt::ISODate), locale, kToday), std::optional<QDate>(day));
            }
        }
    }

    void fieldTakesATypedDateAtOnceAndShowsItsCentury()
    {
        FieldWindow w(german());
        QSignalSpy changes(w.field, &QDateEdit::dateChanged);
        w.typeOver(QStringLiteral("2.11.26"));
        QCOMPARE(w.field->date(), QDate(2026, 11, 2)); // taken while the focus is still there
        QCOMPARE(w.field->text(), QStringLiteral("2.11.26"));
        QVERIFY(!changes.isEmpty());
        QTest::keyClick(w.field, Qt::Key_Tab);
        QCOMPARE(w.other->hasFocus(), true); // one Tab leaves the field, not its next section
        QCOMPARE(w.field->text(), QStringLiteral("02.11.2026"));
        QVERIFY(!w.field->isRefused());
    }

    void fieldKeepsAndMarksAWrongTextInsteadOfRevertingIt()
    {
        FieldWindow w(QLocale::c());
        w.typeOver(QStringLiteral("1 O"));
        QCOMPARE(w.field->text(), QStringLiteral("1 O")); // typing on is possible
        w.typeOver(QStringLiteral("31/2/2026"));
        QTest::keyClick(w.field, Qt::Key_Tab);
        QCOMPARE(w.field->text(), QStringLiteral("31/2/2026"));
        QVERIFY(w.field->isRefused());
        QVERIFY(w.field->toolTip().contains(QLatin1String("2026-12-31")));
        QCOMPARE(w.field->date(), QDate(2026, 12, 9)); // its value is the last real date

        // Enter on a refused text does not press the default button.
        w.field->setFocus();
        w.typeOver(QStringLiteral("1 Oct"));
        QTest::keyClick(w.field, Qt::Key_Return);
        QVERIFY(w.dialog.isVisible());
        QVERIFY(w.field->isRefused());
        // Mended, the mark goes and Enter reaches the default button.
        w.typeOver(QStringLiteral("1 Oct 2026"));
        QVERIFY(!w.field->isRefused());
        QTest::keyClick(w.field, Qt::Key_Return);
        QCOMPARE(w.field->date(), QDate(2026, 10, 1));
        QCOMPARE(w.dialog.result(), int(QDialog::Accepted));
    }

    void escapeGivesTheFieldItsDateBack()
    {
        FieldWindow w(american());
        w.typeOver(QStringLiteral("13/45"));
        QTest::keyClick(w.field, Qt::Key_Escape);
        QVERIFY(w.dialog.isVisible()); // the first Escape only ends the typing
        QCOMPARE(w.field->text(), QStringLiteral("12/9/2026"));
        QVERIFY(!w.field->isRefused());
    }
};

QTEST_MAIN(TestDates)
#include "test_dates.moc"
