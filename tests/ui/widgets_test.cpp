#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

#include "core/ui/coordinate_edit.h"
#include "core/ui/number_field.h"
#include "core/ui/utc_entry.h"
#include "platform/fake/fake_services.h"


// Where focus went inside a window, whether or not that window is active at the
// moment (window activation is not dependable on the offscreen platform).
static bool FocusedWithin(const QWidget* w) {
    const QWidget* focus = w->window()->focusWidget();
    return focus && (focus == w || w->isAncestorOf(focus) || focus->focusProxy() == w);
}

namespace {

QStringList Entries(const QComboBox* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->itemText(i);
    return entries;
}

QString LastPrompt(const CFakeServices& fake) {
    return fake.prompts.History().empty() ? QString() : QString::fromStdString(fake.prompts.History().back().text);
}

} // namespace

// The shared entry widgets on a window of their own, shown so that focus can be checked.
class WidgetsTest : public QObject {
    Q_OBJECT

    CFakeServices* m_fake = nullptr;
    QWidget* m_window = nullptr;
    CCoordinateEdit* m_latitude = nullptr;
    CCoordinateEdit* m_longitude = nullptr;
    CUtcEntry* m_utc = nullptr;
    CUtcEntry* m_cycloneUtc = nullptr;

    // Reads every widget; returns the first refusal's text, or nothing.
    QString Refusal() {
        m_fake->prompts.Clear();
        int d, h, m, hemisphere;
        double minutes;
        if (!m_utc->Read(d, h, m) || !m_cycloneUtc->Read(d, h, m) || !m_latitude->Read(d, minutes, hemisphere) ||
            !m_longitude->Read(d, minutes, hemisphere))
            return LastPrompt(*m_fake);
        return {};
    }

private slots:
    void init() {
        m_fake = new CFakeServices;
        m_window = new QWidget;
        auto* layout = new QVBoxLayout(m_window);
        m_utc = new CUtcEntry(23, m_window);
        m_cycloneUtc = new CUtcEntry(24, m_window);
        m_latitude = new CCoordinateEdit(CCoordinateEdit::Axis::Latitude, m_window);
        m_longitude = new CCoordinateEdit(CCoordinateEdit::Axis::Longitude, m_window);
        for (QWidget* w : {static_cast<QWidget*>(m_utc), static_cast<QWidget*>(m_cycloneUtc),
                           static_cast<QWidget*>(m_latitude), static_cast<QWidget*>(m_longitude)})
            layout->addWidget(w);
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
    }

    void cleanup() {
        delete m_window;
        delete m_fake;
    }

    void hemisphereListsAreSortedAndStartUnchosen() {
        QCOMPARE(Entries(m_latitude->HemisphereList()), QStringList({"North", "South"}));
        QCOMPARE(Entries(m_longitude->HemisphereList()), QStringList({"East", "West"}));
        QCOMPARE(m_latitude->HemisphereList()->currentIndex(), -1);
        QCOMPARE(m_latitude->DegreesEdit()->text(), QStringLiteral("0"));
        QCOMPARE(m_latitude->MinutesEdit()->text(), QStringLiteral("0"));

        QComboBox list;
        FillSortedList(&list, {"Steady", "falling", "Rising", "alternating"});
        QCOMPARE(Entries(&list), QStringList({"alternating", "falling", "Rising", "Steady"}));
        QCOMPARE(list.currentIndex(), -1);
    }

    void theLimitsAndNoHemisphereAreAccepted() {
        int degrees, hemisphere, day, hour, minute;
        double minutes;
        m_longitude->SetValues(180, 0.0, -1);
        QVERIFY(m_longitude->Read(degrees, minutes, hemisphere));
        QCOMPARE(hemisphere, -1);
        m_latitude->MinutesEdit()->setText(QStringLiteral(" 59.9999 "));
        QVERIFY(m_latitude->Read(degrees, minutes, hemisphere));
        QCOMPARE(minutes, 59.9999);
        m_cycloneUtc->SetValues(31, 24, 59);
        QVERIFY(m_cycloneUtc->Read(day, hour, minute));
        QCOMPARE(hour, 24);
    }

    void refusalsNameTheRangeKeepTheTextAndTakeTheFocus() {
        struct Case {
            QLineEdit* field;
            QString text;
            QString message;
        };
        const QString integerDay = QStringLiteral("Please enter an integer between 0 and 31.");
        const QString minutes = QStringLiteral("Please enter a number between 0 and 59.9999.");
        const Case cases[] = {
            {m_utc->DayEdit(), "32", integerDay},
            {m_utc->DayEdit(), "-1", integerDay},
            {m_utc->DayEdit(), "", integerDay},
            {m_utc->DayEdit(), "3.5", integerDay},
            {m_utc->HourEdit(), "24", QStringLiteral("Please enter an integer between 0 and 23.")},
            {m_cycloneUtc->HourEdit(), "25", QStringLiteral("Please enter an integer between 0 and 24.")},
            {m_utc->MinuteEdit(), "60", QStringLiteral("Please enter an integer between 0 and 59.")},
            {m_latitude->DegreesEdit(), "91", QStringLiteral("Please enter an integer between 0 and 90.")},
            {m_longitude->DegreesEdit(), "181", QStringLiteral("Please enter an integer between 0 and 180.")},
            {m_latitude->MinutesEdit(), "60", minutes},
            {m_latitude->MinutesEdit(), "-0.5", minutes},
            {m_longitude->MinutesEdit(), "twelve", minutes},
            {m_longitude->MinutesEdit(), "nan", minutes},
        };
        for (const Case& c : cases) {
            // Everything else valid, so that the refusal is this field's.
            m_utc->SetValues(1, 1, 1);
            m_cycloneUtc->SetValues(1, 1, 1);
            m_latitude->SetValues(1, 1.0, 0);
            m_longitude->SetValues(1, 1.0, 0);
            c.field->setText(c.text);
            m_window->setFocus();
            QCOMPARE(Refusal(), c.message);
            QCOMPARE(c.field->text(), c.text);
            QVERIFY2(FocusedWithin(c.field), qPrintable(c.field->objectName()));
            QCOMPARE(c.field->selectedText(), c.text);
        }
    }

    void aCoordinateStopsAtThePoleAndTheDateLine() {
        m_latitude->SetValues(90, 0.5, 0);
        QCOMPARE(Refusal(), QString::fromUtf8(kLatitudeBeyondPoleText));
        QVERIFY(FocusedWithin(m_latitude->MinutesEdit()));
        m_latitude->SetValues(90, 0.0, 1);
        m_longitude->SetValues(180, 0.01, 1);
        QCOMPARE(Refusal(), QString::fromUtf8(kLongitudeBeyondDateLineText));
        m_longitude->SetValues(179, 59.9999, 1);
        QCOMPARE(Refusal(), QString());
    }
};

QTEST_MAIN(WidgetsTest)
#include "widgets_test.moc"
