// The Qt services (settings store, prompts, file choice), the shared entry
// widgets and the tip of the day.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <QVBoxLayout>
#include <QtTest>

#include <climits>

#include "app/ui/tip_dialog.h"
#include "core/ui/coordinate_edit.h"
#include "core/ui/number_field.h"
#include "core/ui/utc_entry.h"
#include "platform/plain_services.h"
#include "platform/qt/qt_services.h"
#include "ui/qt_test_support.h"

namespace {

const std::string kSection = kSettingsSection;

CIniSettingsStore LoadedIni() {
    CIniSettingsStore ini(CIniSettingsStore::DefaultPath());
    if (!ini.Load()) qWarning("cannot read %s", ini.Path().c_str());
    return ini;
}

// The shared entry widgets on a window of their own, shown so that focus can be checked.
struct CEntryWindow {
    CFakeServices fake;
    QWidget window;
    CUtcEntry utc{23, &window};
    CUtcEntry cycloneUtc{24, &window};
    CCoordinateEdit latitude{CCoordinateEdit::Axis::Latitude, &window};
    CCoordinateEdit longitude{CCoordinateEdit::Axis::Longitude, &window};

    CEntryWindow() {
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* w : std::initializer_list<QWidget*>{&utc, &cycloneUtc, &latitude, &longitude})
            layout->addWidget(w);
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window)) qWarning("entry window not active");
    }
    // Reads every widget; the first refusal's text, or nothing.
    QString Refusal() {
        fake.prompts.Clear();
        int d, h, m, hemisphere;
        double minutes;
        if (utc.Read(d, h, m) && cycloneUtc.Read(d, h, m) && latitude.Read(d, minutes, hemisphere) &&
            longitude.Read(d, minutes, hemisphere))
            return {};
        return fake.prompts.History().empty() ? QStringLiteral("<silent>") : Q(fake.prompts.History().back().text);
    }
};

// The Qt store notices a changed file by its size and time; a pause keeps two
// writes in a row from looking like one.
void LetTheClockTick() { QThread::msleep(15); }

// Presses OK the way the button does, with the file dialog's own checks.
void Accept(QFileDialog* dialog) { static_cast<QDialog*>(dialog)->accept(); }

// Values that each side must read back exactly as the other wrote them.
// clang-format off
const std::vector<std::pair<std::string, std::string>> kAwkwardValues = {
    {"blanks", "two words"}, {"padded", "  leading and trailing  "}, {"trailing blank", "ends with a blank "},
    {"backslashes", "C:\\Keelmark Lite\\Data\\"}, {"escape lookalike", "a\\x41\\n\\0"}, {"commas", "a,b, c"},
    {"quotes", "say \"hi\""}, {"quoted whole", "\"quoted\""}, {"at", "@home"}, {"double at", "@@twice"},
    {"typed lookalike", "@String(x)"}, {"semicolon and equals", "semi;colon=equals"}, {"hash", "#not a comment"},
    {"percent", "100%20"}, {"controls", "tab\there\nnew line\x01" "F\x1f"}, {"empty", ""},
    {"utf8", "Z\xC3\xBCrich 52\xC2\xB0" "30\xE2\x80\xB2N \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80"}};
// clang-format on

} // namespace

class QtServicesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // These tests rewrite the settings file: never the user's own.
        const QByteArray config = qgetenv("XDG_CONFIG_HOME");
        if (config.isEmpty() || QDir(QString::fromLocal8Bit(config)) == QDir(QDir::homePath() + "/.config"))
            QFAIL("Run with XDG_CONFIG_HOME set to a scratch folder.");
    }

    // The two stores share one file (qtAndPlainStoresReadEachOther); what only the Qt one decides is here.
    void settingsReadDefaultsAndNonNumbers() {
        CQtSettingsStore store;
        for (int value : {-273, INT_MIN}) { // two, so that what an earlier run left does not pass
            QVERIFY(store.SetInt(kSection, "Interval", value));
            QCOMPARE(store.GetString(kSection, "Interval", "x"), std::to_string(value));
        }
        QCOMPARE(store.GetString(kSection, "Never Written", "fallback"), std::string("fallback"));
        QCOMPARE(store.GetInt("Never Written Section", "Interval", -3), -3);
        // What is there but not a whole number reads as 0, not as the default.
        for (const char* text : {"abc", "12abc", "99999999999"}) {
            QVERIFY(store.SetString(kSection, "Not A Number", text));
            QCOMPARE(store.GetInt(kSection, "Not A Number", 5), 0);
        }
    }

    void qtAndPlainStoresReadEachOther() {
        const std::string section = "Odd \xC3\xA9";
        auto values = kAwkwardValues;
        for (const char* key : {"Route/Leg 2", "tilde~and%percent", "Z\xC3\xBCrich \xE6\x97\xA5 \xF0\x9F\x98\x80"})
            values.emplace_back(key, key);
        CQtSettingsStore qt;
        for (const auto& [key, value] : values)
            QVERIFY(qt.SetString(section, "Qt " + key, value));
        QVERIFY(qt.SetInt(section, "Qt int", -42));
        LetTheClockTick();
        CIniSettingsStore ini = LoadedIni();
        for (const auto& [key, value] : values) {
            QCOMPARE(ini.GetString(section, "Qt " + key, "absent"), value);
            QVERIFY2(ini.SetString(section, "Plain " + key, value), ini.LastError().c_str());
        }
        QCOMPARE(ini.GetInt(section, "Qt int", 0), -42);
        for (const auto& [key, value] : values)
            QCOMPARE(qt.GetString(section, "Plain " + key, "absent"), value);
        QCOMPARE(qt.GetInt(section, "Qt int", 0), -42); // the plain store rewrote the file and kept it
    }

    // Lines a person may have typed into the file: both stores must make the same of them.
    void handWrittenLinesReadAlike() {
        QSettings("Tessmoor Works", "Keelmark Lite").remove(QStringLiteral("Hand Written"));
        LetTheClockTick();
        QFile file(Q(CIniSettingsStore::DefaultPath()));
        QVERIFY(file.open(QIODevice::Append));
        file.write("\n[Hand%20Written]\n"
                   "list=Smith, John ,  \"Jones, Ann\"\n"
                   "comment=kept ; dropped\n"
                   "quoted comment=\"kept ; too\" ; dropped\n"
                   "octal=\\101\\x42\\x043D\n"
                   "unknown escape=a\\qb\\?\n"
                   "blanks=   inner  blanks   \n"
                   "quotes in the middle=a\"b c\"d\n"
                   "typed=@String(text)\n"
                   "bytes=@ByteArray(raw)\n"
                   "number= 12 \n"
                   "crlf=windows\r\n"
                   "raw%20utf8=Z\xC3\xBCrich\n"
                   "Key%20%E9%U65E5=latin and wide escapes\n");
        file.close();
        CQtSettingsStore qt;
        CIniSettingsStore ini = LoadedIni();
        for (const char* key :
             {"list", "comment", "quoted comment", "octal", "unknown escape", "blanks", "quotes in the middle", "typed",
              "bytes", "number", "crlf", "raw utf8", "Key \xC3\xA9\xE6\x97\xA5"}) {
            QVERIFY2(qt.Contains("Hand Written", key) && ini.Contains("Hand Written", key), key);
            QCOMPARE(ini.GetString("Hand Written", key, "absent"), qt.GetString("Hand Written", key, "absent"));
        }
        // By value, so that agreeing on nonsense does not pass: the plain store's own test.
    }

    void messageBoxAndChoice() {
        const int ok = QMessageBox::Ok, cancel = QMessageBox::Cancel, yes = QMessageBox::Yes, no = QMessageBox::No;
        // clang-format off
        const struct { PromptIcon icon; PromptButtons buttons; int press, qtIcon, qtButtons; PromptAnswer answer; } cases[] = {
            {PromptIcon::None, PromptButtons::Ok, ok, QMessageBox::NoIcon, ok, PromptAnswer::Ok},
            {PromptIcon::Information, PromptButtons::Ok, 0, QMessageBox::Information, ok, PromptAnswer::Ok}, // 0: Escape
            {PromptIcon::Warning, PromptButtons::OkCancel, 0, QMessageBox::Warning, ok | cancel, PromptAnswer::Cancel},
            {PromptIcon::Question, PromptButtons::YesNo, yes, QMessageBox::Question, yes | no, PromptAnswer::Yes},
            {PromptIcon::Stop, PromptButtons::YesNoCancel, no, QMessageBox::Critical, yes | no | cancel, PromptAnswer::No}};
        // clang-format on
        // Markup characters and a line break must come out as written.
        const QString text = QStringLiteral("The file <b>Route & Co</b>.k7s\ncannot be read.");
        CQtPrompts prompts;
        for (const auto& c : cases) {
            QList<QVariant> seen;
            OnNextModal<QMessageBox>([&](QMessageBox* box) {
                seen << box->windowTitle() << box->text() << int(box->textFormat()) << int(box->icon())
                     << int(box->standardButtons());
                if (c.press)
                    box->button(QMessageBox::StandardButton(c.press))->click();
                else
                    QTest::keyClick(box, Qt::Key_Escape);
            });
            QCOMPARE(prompts.Show(text.toStdString(), c.icon, c.buttons), c.answer);
            QCOMPARE(seen, QList<QVariant>({"Keelmark Lite", text, int(Qt::PlainText), c.qtIcon, c.qtButtons}));
        }
        // Choosing an option: an impossible default gives the first, Cancel gives -1.
        const std::vector<std::string> options = {"Dead reckoning", "GPS fix", "Astro fix"};
        QStringList seen;
        OnNextModal<QDialog>([&](QDialog* dialog) {
            seen << dialog->windowTitle() << dialog->findChild<QLabel*>()->text();
            const QList<QRadioButton*> radios = dialog->findChildren<QRadioButton*>();
            for (QRadioButton* radio : radios)
                seen << radio->text() + (radio->isChecked() ? "*" : "");
            radios.at(2)->click();
            Press(dialog, "OK");
        });
        QCOMPARE(prompts.Choose("Position Source", "Use which <position>?", options, 1), 2);
        QCOMPARE(seen,
                 QStringList({"Position Source", "Use which <position>?", "Dead reckoning", "GPS fix*", "Astro fix"}));
        OnNextModal<QDialog>([](QDialog* d) { d->accept(); });
        QCOMPARE(prompts.Choose("Position Source", "Use which?", options, 7), 0);
        OnNextModal<QDialog>([](QDialog* d) { Press(d, "Cancel"); });
        QCOMPARE(prompts.Choose("Position Source", "Use which?", options, 1), -1);
    }

    void fileDialogIsSetUpFromTheRequest() {
        FileChoiceRequest request{"Vessel Files (*.k7s)|*.k7s|All Files (*.*)|*.*||", "k7s", "Vessel", "Save Vessel"};
        QFileDialog save, open;
        ConfigureFileDialog(save, request, true);
        ConfigureFileDialog(open, request, false);
        QCOMPARE(save.nameFilters() << save.defaultSuffix() << save.windowTitle()
                                    << save.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text(),
                 QStringList({"Vessel Files (*.k7s)", "All Files (*)", "k7s", "Save Vessel", "Vessel"}));
        QVERIFY(save.acceptMode() == QFileDialog::AcceptSave && !save.testOption(QFileDialog::DontConfirmOverwrite));
        QVERIFY(open.fileMode() == QFileDialog::ExistingFile && open.defaultSuffix().isEmpty());

        // What was typed comes back with the extension; a cancelled dialog gives nothing.
        QTemporaryDir dir;
        request.defaultName = dir.filePath("Vessel").toStdString();
        const std::optional<std::string> route = dir.filePath("Route.k7s").toStdString();
        CQtFileChoice files;
        OnNextModal<QFileDialog>([](QFileDialog* dialog) {
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("Route"));
            Accept(dialog);
        });
        QCOMPARE(files.ChooseSave(request), route);
        QVERIFY(QFile(Q(*route)).open(QIODevice::WriteOnly));
        request.defaultName = *route;
        OnNextModal<QFileDialog>([](QFileDialog* dialog) { Accept(dialog); });
        QCOMPARE(files.ChooseOpen(request), route);
        OnNextModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
        QCOMPARE(files.ChooseSave(request), std::nullopt);
    }

    void entriesReadTheirLimitsAndRefuseBeyond() {
        CEntryWindow w;
        QCOMPARE(Entries(w.latitude.HemisphereList()) + Entries(w.longitude.HemisphereList()),
                 QStringList({"North", "South", "East", "West"}));
        QCOMPARE(w.latitude.HemisphereList()->currentIndex(), -1);
        int degrees, hemisphere;
        double minutes;
        w.latitude.SetValues(12, 0.0, 1);
        w.latitude.MinutesEdit()->setText(QStringLiteral(" 59.9999 "));
        QVERIFY(w.latitude.Read(degrees, minutes, hemisphere));
        QCOMPARE(QList<double>({double(degrees), minutes, double(hemisphere)}), QList<double>({12, 59.9999, 1}));
        // Refused: the range named, the text kept and selected, the focus on the field.
        const QString integer = QStringLiteral("Please enter an integer between 0 and %1.");
        const QString number = QStringLiteral("Please enter a number between 0 and 59.9999.");
        // clang-format off
        const struct { QLineEdit* field; QString text; QString message; } cases[] = {
            {w.utc.DayEdit(), "32", integer.arg(31)}, {w.utc.DayEdit(), "3.5", integer.arg(31)},
            {w.utc.MinuteEdit(), "60", integer.arg(59)}, {w.latitude.DegreesEdit(), "91", integer.arg(90)},
            {w.latitude.MinutesEdit(), "60", number}, {w.longitude.MinutesEdit(), "nan", number}};
        // clang-format on
        for (const auto& c : cases) {
            // Everything else valid, so that the refusal is this field's.
            w.utc.SetValues(1, 1, 1);
            w.cycloneUtc.SetValues(1, 1, 1);
            w.latitude.SetValues(1, 1.0, 0);
            w.longitude.SetValues(1, 1.0, 0);
            c.field->setText(c.text);
            w.window.setFocus();
            QCOMPARE(w.Refusal(), c.message);
            QCOMPARE(c.field->text(), c.text);
            QVERIFY2(FocusedWithin(c.field), qPrintable(c.field->objectName()));
            QCOMPARE(c.field->selectedText(), c.text);
        }
        // A coordinate stops at the pole and the date line.
        w.latitude.SetValues(90, 0.5, 0);
        QCOMPARE(w.Refusal(), QString::fromUtf8(kLatitudeBeyondPoleText));
        QVERIFY(FocusedWithin(w.latitude.MinutesEdit()));
        w.latitude.SetValues(90, 0.0, 1);
        w.longitude.SetValues(180, 0.01, 1);
        QCOMPARE(w.Refusal(), QString::fromUtf8(kLongitudeBeyondDateLineText));
        w.longitude.SetValues(180, 0.0, -1);
        w.cycloneUtc.SetValues(31, 24, 59); // a cyclone's hour may be 24
        QCOMPARE(w.Refusal(), QString());
    }

    // Unticking the start-up box is remembered however the dialog closes.
    void tipsCanBeTurnedOff() {
        CFakeServices fake;
        CTipDialog dialog(nullptr, QStringLiteral("/no/such/tips.txt"));
        QVERIFY(dialog.ShowOnStartUpBox()->isChecked());
        dialog.ShowOnStartUpBox()->setChecked(false);
        dialog.reject();
        QVERIFY(!CTipDialog::ShowAtStartUp());
    }
};

QTEST_MAIN(QtServicesTest)
#include "qt_services_test.moc"
