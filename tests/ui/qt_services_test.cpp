#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <climits>
#include <string>

#include "platform/plain_services.h"
#include "platform/qt/qt_services.h"
#include "ui/modal_helper.h"

Q_DECLARE_METATYPE(PromptIcon)
Q_DECLARE_METATYPE(PromptButtons)
Q_DECLARE_METATYPE(PromptAnswer)
Q_DECLARE_METATYPE(std::string)

namespace QTest {
template <> inline char* toString(const std::string& value) { return qstrdup(("\"" + value + "\"").c_str()); }
template <> inline char* toString(const std::optional<std::string>& value) {
    return value ? toString(*value) : qstrdup("nothing");
}
} // namespace QTest

namespace {

const std::string kSection = kSettingsSection;

CIniSettingsStore LoadedIni() {
    CIniSettingsStore ini(CIniSettingsStore::DefaultPath());
    if (!ini.Load()) qWarning("cannot read %s", ini.Path().c_str());
    return ini;
}

// The Qt store notices a changed file by its size and time; a pause keeps two
// writes in a row from looking like one.
void LetTheClockTick() { QThread::msleep(15); }

// Presses OK the way the button does, with the file dialog's own checks.
void Accept(QFileDialog* dialog) { static_cast<QDialog*>(dialog)->accept(); }

// Values that each side must read back exactly as the other wrote them.
const std::vector<std::pair<const char*, std::string>> kAwkwardValues = {
    {"blanks", "two words"},
    {"padded", "  leading and trailing  "},
    {"trailing blank", "ends with a blank "},
    {"backslashes", "C:\\Keelmark Lite\\Data\\"},
    {"escape lookalike", "a\\x41\\n\\0"},
    {"commas", "a,b, c"},
    {"quotes", "say \"hi\""},
    {"quoted whole", "\"quoted\""},
    {"at", "@home"},
    {"double at", "@@twice"},
    {"typed lookalike", "@String(x)"},
    {"semicolon and equals", "semi;colon=equals"},
    {"hash", "#not a comment"},
    {"percent", "100%20"},
    {"controls", "tab\there\nnew line\x01"
                 "F\x1f"},
    {"utf8", "Z\xC3\xBCrich 52\xC2\xB0"
             "30\xE2\x80\xB2N \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80"},
    {"empty", ""},
};

} // namespace

class QtServicesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // These tests rewrite and move the settings file: never the user's own.
        const QByteArray config = qgetenv("XDG_CONFIG_HOME");
        if (config.isEmpty() || QDir(QString::fromLocal8Bit(config)) == QDir(QDir::homePath() + "/.config"))
            QFAIL("Run with XDG_CONFIG_HOME set to a scratch folder.");
    }

    // ---- settings --------------------------------------------------------

    void settingsRoundTrip() {
        CQtSettingsStore store;
        QVERIFY(store.SetString(kSection, "Vessel Name", "MV Tessa Moor"));
        QCOMPARE(store.GetString(kSection, "Vessel Name", "x"), std::string("MV Tessa Moor"));
        QVERIFY(store.SetString(kSection, "Vessel Name", "MV Keel"));
        QCOMPARE(store.GetString(kSection, "Vessel Name", "x"), std::string("MV Keel"));
        QVERIFY(store.Contains(kSection, "Vessel Name"));
        QVERIFY(!store.Contains("Other Section", "Vessel Name"));

        for (int value : {0, 42, -273, INT_MAX, INT_MIN}) {
            QVERIFY(store.SetInt(kSection, "Interval", value));
            QCOMPARE(store.GetInt(kSection, "Interval", 5), value);
        }
        // An integer reads as text and a stored text "0" is not the default.
        QCOMPARE(store.GetString(kSection, "Interval", "x"), std::to_string(INT_MIN));
        QVERIFY(store.SetString(kSection, "Zero", "0"));
        QCOMPARE(store.GetInt(kSection, "Zero", 9), 0);

        // Absent keys give the reader's own default.
        QCOMPARE(store.GetString(kSection, "Never Written", "fallback"), std::string("fallback"));
        QCOMPARE(store.GetInt(kSection, "Never Written", 17), 17);
        QCOMPARE(store.GetInt("Never Written Section", "Interval", -3), -3);
        QVERIFY(!store.Contains(kSection, "Never Written"));

        // What is there but not a whole number reads as 0, not as the default.
        for (const char* text : {"abc", "12abc", "3.5", "", "99999999999"}) {
            QVERIFY(store.SetString(kSection, "Not A Number", text));
            QCOMPARE(store.GetInt(kSection, "Not A Number", 5), 0);
        }
        QVERIFY(store.LastError().empty());
    }

    void settingsLiveInTheFileThePlainStoreReads() {
        const std::string path = CQtSettingsStore::FilePath();
        QCOMPARE(path, CIniSettingsStore::DefaultPath());
        QVERIFY(QString::fromStdString(path).startsWith(QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"))));
        QVERIFY(QString::fromStdString(path).endsWith("/Tessmoor Works/Keelmark Lite.conf"));
    }

    void qtWritesPlainReads() {
        CQtSettingsStore qt;
        for (const auto& [name, value] : kAwkwardValues)
            QVERIFY(qt.SetString(kSection, std::string("Qt ") + name, value));
        QVERIFY(qt.SetInt(kSection, "Qt int", -42));
        CIniSettingsStore ini = LoadedIni();
        for (const auto& [name, value] : kAwkwardValues) {
            QVERIFY2(ini.Contains(kSection, std::string("Qt ") + name), name);
            QCOMPARE(ini.GetString(kSection, std::string("Qt ") + name, "absent"), value);
        }
        QCOMPARE(ini.GetInt(kSection, "Qt int", 0), -42);
    }

    void plainWritesQtReads() {
        LetTheClockTick();
        CIniSettingsStore ini(CIniSettingsStore::DefaultPath());
        for (const auto& [name, value] : kAwkwardValues)
            QVERIFY2(ini.SetString(kSection, std::string("Plain ") + name, value), ini.LastError().c_str());
        QVERIFY(ini.SetInt(kSection, "Plain int", 7));
        CQtSettingsStore qt;
        for (const auto& [name, value] : kAwkwardValues) {
            QVERIFY2(qt.Contains(kSection, std::string("Plain ") + name), name);
            QCOMPARE(qt.GetString(kSection, std::string("Plain ") + name, "absent"), value);
        }
        QCOMPARE(qt.GetInt(kSection, "Plain int", 0), 7);
        // The plain store rewrote the whole file: what Qt wrote before is still there.
        QCOMPARE(qt.GetString(kSection, "Qt backslashes", "absent"), std::string("C:\\Keelmark Lite\\Data\\"));
        QCOMPARE(qt.GetInt(kSection, "Qt int", 0), -42);
    }

    void awkwardKeysBothWays() {
        const std::vector<std::string> keys = {"Last File", "Route/Leg 2", "tilde~and%percent",
                                               "Z\xC3\xBCrich \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80"};
        const std::string section = "Odd Keys \xC3\xA9";
        CQtSettingsStore qt;
        for (const std::string& key : keys)
            QVERIFY(qt.SetString(section, "qt " + key, key));
        LetTheClockTick();
        CIniSettingsStore ini = LoadedIni();
        for (const std::string& key : keys) {
            QCOMPARE(ini.GetString(section, "qt " + key, "absent"), key);
            QVERIFY(ini.SetString(section, "plain " + key, key));
        }
        for (const std::string& key : keys)
            QCOMPARE(qt.GetString(section, "plain " + key, "absent"), key);
    }

    // Lines a person may have typed into the file: both stores must make the same of them.
    void handWrittenLinesReadAlike() {
        const QString section = QStringLiteral("Hand Written");
        {
            QSettings settings("Tessmoor Works", "Keelmark Lite");
            settings.remove(section);
        }
        LetTheClockTick();
        QFile file(QString::fromStdString(CIniSettingsStore::DefaultPath()));
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

        const std::vector<std::string> keys = {"list",
                                               "comment",
                                               "quoted comment",
                                               "octal",
                                               "unknown escape",
                                               "blanks",
                                               "quotes in the middle",
                                               "typed",
                                               "bytes",
                                               "number",
                                               "crlf",
                                               "raw utf8",
                                               "Key \xC3\xA9\xE6\x97\xA5"};
        CQtSettingsStore qt;
        CIniSettingsStore ini = LoadedIni();
        for (const std::string& key : keys) {
            QVERIFY2(qt.Contains("Hand Written", key), key.c_str());
            QVERIFY2(ini.Contains("Hand Written", key), key.c_str());
            QCOMPARE(ini.GetString("Hand Written", key, "absent"), qt.GetString("Hand Written", key, "absent"));
        }
        // A few by value, so that agreeing on nonsense does not pass.
        QCOMPARE(qt.GetString("Hand Written", "list", ""), std::string("Smith, John, Jones, Ann"));
        QCOMPARE(qt.GetString("Hand Written", "comment", ""), std::string("kept"));
        QCOMPARE(qt.GetString("Hand Written", "octal", ""), std::string("AB\xD0\xBD"));
        QCOMPARE(qt.GetInt("Hand Written", "number", 0), 12);
        QCOMPARE(ini.GetInt("Hand Written", "number", 0), 12);
    }

    // Runs last in its group: it leaves the folder as it found it.
    void writeFailureIsReported() {
        const QString folder = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")) + "/Tessmoor Works";
        const QString aside = folder + ".aside";
        QDir(aside).removeRecursively(); // left over by an interrupted run
        QVERIFY(QDir().rename(folder, aside));
        {
            // A file where the folder should be cannot be written into, even by root.
            QFile blocker(folder);
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        }
        CQtSettingsStore store;
        const bool stringWritten = store.SetString(kSection, "Unsaved", "lost");
        const std::string stringError = store.LastError();
        const bool intWritten = store.SetInt(kSection, "Unsaved Number", 3);
        QFile::remove(folder);
        QDir().rename(aside, folder);

        QVERIFY(!stringWritten);
        QVERIFY(!intWritten);
        QVERIFY2(stringError.find("Keelmark Lite.conf") != std::string::npos, stringError.c_str());
        QVERIFY(store.SetString(kSection, "Saved", "again"));
        QVERIFY(store.LastError().empty());
    }

    // ---- prompts ---------------------------------------------------------

    void showMessageBox_data() {
        QTest::addColumn<PromptIcon>("icon");
        QTest::addColumn<PromptButtons>("buttons");
        QTest::addColumn<int>("press"); // a standard button, or 0 for Escape
        QTest::addColumn<int>("qtIcon");
        QTest::addColumn<int>("qtButtons");
        QTest::addColumn<PromptAnswer>("answer");

        const int ok = QMessageBox::Ok, cancel = QMessageBox::Cancel, yes = QMessageBox::Yes, no = QMessageBox::No;
        QTest::newRow("plain ok") << PromptIcon::None << PromptButtons::Ok << ok << int(QMessageBox::NoIcon) << ok
                                  << PromptAnswer::Ok;
        QTest::newRow("information escape") << PromptIcon::Information << PromptButtons::Ok << 0
                                            << int(QMessageBox::Information) << ok << PromptAnswer::Ok;
        QTest::newRow("warning ok") << PromptIcon::Warning << PromptButtons::OkCancel << ok << int(QMessageBox::Warning)
                                    << (ok | cancel) << PromptAnswer::Ok;
        QTest::newRow("warning cancel") << PromptIcon::Warning << PromptButtons::OkCancel << cancel
                                        << int(QMessageBox::Warning) << (ok | cancel) << PromptAnswer::Cancel;
        QTest::newRow("warning escape") << PromptIcon::Warning << PromptButtons::OkCancel << 0
                                        << int(QMessageBox::Warning) << (ok | cancel) << PromptAnswer::Cancel;
        QTest::newRow("question yes") << PromptIcon::Question << PromptButtons::YesNo << yes
                                      << int(QMessageBox::Question) << (yes | no) << PromptAnswer::Yes;
        QTest::newRow("question no") << PromptIcon::Question << PromptButtons::YesNo << no << int(QMessageBox::Question)
                                     << (yes | no) << PromptAnswer::No;
        QTest::newRow("question escape") << PromptIcon::Question << PromptButtons::YesNo << 0
                                         << int(QMessageBox::Question) << (yes | no) << PromptAnswer::No;
        QTest::newRow("stop no") << PromptIcon::Stop << PromptButtons::YesNoCancel << no << int(QMessageBox::Critical)
                                 << (yes | no | cancel) << PromptAnswer::No;
        QTest::newRow("stop cancel") << PromptIcon::Stop << PromptButtons::YesNoCancel << cancel
                                     << int(QMessageBox::Critical) << (yes | no | cancel) << PromptAnswer::Cancel;
        QTest::newRow("stop escape") << PromptIcon::Stop << PromptButtons::YesNoCancel << 0
                                     << int(QMessageBox::Critical) << (yes | no | cancel) << PromptAnswer::Cancel;
    }

    void showMessageBox() {
        QFETCH(PromptIcon, icon);
        QFETCH(PromptButtons, buttons);
        QFETCH(int, press);
        QFETCH(int, qtIcon);
        QFETCH(int, qtButtons);
        QFETCH(PromptAnswer, answer);

        // Markup characters and a line break must come out as written.
        const std::string text = "The file <b>Route & Co</b>.k7s\ncannot be read.";
        QString seenTitle, seenText;
        int seenIcon = -1, seenButtons = -1, seenFormat = -1;
        OnNextModal<QMessageBox>([&](QMessageBox* box) {
            seenTitle = box->windowTitle();
            seenText = box->text();
            seenFormat = box->textFormat();
            seenIcon = box->icon();
            seenButtons = int(box->standardButtons());
            if (press)
                box->button(QMessageBox::StandardButton(press))->click();
            else
                QTest::keyClick(box, Qt::Key_Escape);
        });
        CQtPrompts prompts;
        const PromptAnswer got = prompts.Show(text, icon, buttons);
        QCOMPARE(seenTitle, QStringLiteral("Keelmark Lite"));
        QCOMPARE(seenText.toStdString(), text);
        QCOMPARE(seenFormat, int(Qt::PlainText));
        QCOMPARE(seenIcon, qtIcon);
        QCOMPARE(seenButtons, qtButtons);
        QCOMPARE(got, answer);
    }

    void chooseOption() {
        CQtPrompts prompts;
        const std::vector<std::string> options = {"Dead reckoning", "GPS fix", "Astro fix"};
        QString title, label;
        QStringList texts;
        int checked = -1;
        OnNextModal<QDialog>([&](QDialog* dialog) {
            title = dialog->windowTitle();
            for (QLabel* l : dialog->findChildren<QLabel*>())
                label += l->text();
            const QList<QRadioButton*> radios = dialog->findChildren<QRadioButton*>();
            for (int i = 0; i < radios.size(); ++i) {
                texts << radios[i]->text();
                if (radios[i]->isChecked()) checked = i;
            }
            if (radios.size() == 3) radios[2]->click();
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        QCOMPARE(prompts.Choose("Position Source", "Use which <position>?", options, 1), 2);
        QCOMPARE(title, QStringLiteral("Position Source"));
        QCOMPARE(label, QStringLiteral("Use which <position>?"));
        QCOMPARE(texts, QStringList({"Dead reckoning", "GPS fix", "Astro fix"}));
        QCOMPARE(checked, 1);

        // OK at once gives the default; an impossible default falls back to the first option.
        OnNextModal<QDialog>([](QDialog* dialog) { dialog->accept(); });
        QCOMPARE(prompts.Choose("Position Source", "Use which?", options, 0), 0);
        OnNextModal<QDialog>([](QDialog* dialog) { dialog->accept(); });
        QCOMPARE(prompts.Choose("Position Source", "Use which?", options, 7), 0);

        OnNextModal<QDialog>(
            [](QDialog* dialog) { dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click(); });
        QCOMPARE(prompts.Choose("Position Source", "Use which?", options, 1), -1);
        OnNextModal<QDialog>([](QDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
        QCOMPARE(prompts.Choose("Position Source", "Use which?", options, 1), -1);
    }

    // ---- file choice -----------------------------------------------------

    void fileDialogIsSetUpFromTheRequest() {
        FileChoiceRequest request;
        request.filter = "Vessel Files (*.k7s)|*.k7s|All Files (*.*)|*.*||";
        request.defaultExtension = "k7s";
        request.defaultName = "Vessel";
        request.title = "Save Vessel";

        QFileDialog save;
        ConfigureFileDialog(save, request, true);
        QCOMPARE(save.nameFilters(), QStringList({"Vessel Files (*.k7s)", "All Files (*)"}));
        QCOMPARE(save.acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(save.defaultSuffix(), QStringLiteral("k7s"));
        QCOMPARE(save.windowTitle(), QStringLiteral("Save Vessel"));
        QVERIFY(!save.testOption(QFileDialog::DontConfirmOverwrite));
        auto* name = save.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        QCOMPARE(name->text(), QStringLiteral("Vessel"));

        request.title.clear();
        QFileDialog open;
        ConfigureFileDialog(open, request, false);
        QCOMPARE(open.acceptMode(), QFileDialog::AcceptOpen);
        QCOMPARE(open.fileMode(), QFileDialog::ExistingFile);
        QCOMPARE(open.nameFilters().size(), 2);
        QVERIFY(open.defaultSuffix().isEmpty());
    }

    void saveAddsTheExtensionAndAsksBeforeReplacing() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        FileChoiceRequest request{"Vessel Files (*.k7s)|*.k7s|All Files (*.*)|*.*||", "k7s", "Vessel", ""};
        CQtFileChoice files;

        const auto typeAndAccept = [](const QString& path) {
            OnNextModal<QFileDialog>([path](QFileDialog* dialog) {
                dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
                Accept(dialog);
            });
        };
        typeAndAccept(dir.filePath("Route"));
        QCOMPARE(files.ChooseSave(request), std::optional<std::string>(dir.filePath("Route.k7s").toStdString()));

        {
            QFile existing(dir.filePath("Route.k7s"));
            QVERIFY(existing.open(QIODevice::WriteOnly));
        }
        QString question;
        const auto answerReplace = [&question](QMessageBox::StandardButton answer) {
            OnNextModal<QFileDialog>([&question, answer](QFileDialog* dialog) {
                dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("Route"));
                OnNextModal<QMessageBox>([&question, answer](QMessageBox* box) {
                    question = box->text();
                    box->button(answer)->click();
                });
                Accept(dialog);
                if (dialog->isVisible()) dialog->reject(); // still open after "No"
            });
        };
        FileChoiceRequest inDir = request;
        inDir.defaultName = dir.filePath("Vessel").toStdString();
        answerReplace(QMessageBox::Yes);
        QCOMPARE(files.ChooseSave(inDir), std::optional<std::string>(dir.filePath("Route.k7s").toStdString()));
        QVERIFY2(question.contains("already exists"), qPrintable(question));

        question.clear();
        answerReplace(QMessageBox::No);
        QCOMPARE(files.ChooseSave(inDir), std::nullopt);
        QVERIFY(question.contains("already exists"));
    }

    void openReturnsTheFileOrNothing() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        {
            QFile existing(dir.filePath("Harbour.k7s"));
            QVERIFY(existing.open(QIODevice::WriteOnly));
        }
        FileChoiceRequest request{"Vessel Files (*.k7s)|*.k7s||", "k7s", dir.filePath("Harbour.k7s").toStdString(), ""};
        CQtFileChoice files;
        OnNextModal<QFileDialog>([](QFileDialog* dialog) { Accept(dialog); });
        QCOMPARE(files.ChooseOpen(request), std::optional<std::string>(dir.filePath("Harbour.k7s").toStdString()));
        OnNextModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
        QCOMPARE(files.ChooseOpen(request), std::nullopt);
    }
};

QTEST_MAIN(QtServicesTest)
#include "qt_services_test.moc"
