#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <string>

#include "app/ui/program.h"
#include "app/ui/tip_dialog.h"
#include "platform/fake/fake_services.h"

namespace {

QString WriteTips(const QTemporaryDir& dir, const QByteArray& text) {
    const QString path = dir.filePath("tips.txt");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write %s", qPrintable(path));
    file.write(text);
    return path;
}

} // namespace

class TipDialogTest : public QObject {
    Q_OBJECT

private slots:
    void showsOneTipAtATimeAndGoesOnFromWhereItStopped() {
        CFakeServices fake;
        QTemporaryDir dir;
        const QString tips = WriteTips(dir, "; comment line\nFirst tip.\n\n  Second tip.  \r\n;another\nThird tip.");
        {
            CTipDialog dialog(nullptr, tips);
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Tip of the Day"));
            QCOMPARE(dialog.CurrentTip(), QStringLiteral("First tip."));
            QCOMPARE(dialog.ShowOnStartUpBox()->text(), QStringLiteral("Show tips on startup"));
            QVERIFY(dialog.ShowOnStartUpBox()->isChecked()); // "StartUp" 0, the default
            dialog.findChild<QPushButton*>("nextTip")->click();
            QCOMPARE(dialog.CurrentTip(), QStringLiteral("Second tip."));
            dialog.accept();
        }
        const std::string stamp = fake.settings.GetString(kTipSection, "TimeStamp", "");
        QVERIFY(!stamp.empty());
        QCOMPARE(fake.settings.GetInt(kTipSection, "StartUp", -1), 0);
        {
            // The next start shows the tip after the last one seen, then wraps round.
            CTipDialog dialog(nullptr, tips);
            QCOMPARE(dialog.CurrentTip(), QStringLiteral("Third tip."));
            dialog.NextTip();
            QCOMPARE(dialog.CurrentTip(), QStringLiteral("First tip."));
            dialog.ShowOnStartUpBox()->setChecked(false);
            dialog.reject(); // closed with the window's button: remembered all the same
        }
        QCOMPARE(fake.settings.GetInt(kTipSection, "StartUp", -1), 1);
        QVERIFY(!CTipDialog::ShowAtStartUp());
        {
            // A different tips file starts again at its first tip.
            WriteTips(dir, "New first.\nNew second.\n");
            CTipDialog dialog(nullptr, tips);
            QCOMPARE(dialog.CurrentTip(), QStringLiteral("New first."));
            QVERIFY(!dialog.ShowOnStartUpBox()->isChecked());
            dialog.accept();
        }
        QVERIFY(fake.settings.GetString(kTipSection, "TimeStamp", "") != stamp);
    }

    void badPositionsAndMissingFiles() {
        CFakeServices fake;
        QTemporaryDir dir;
        const QString tips = WriteTips(dir, "Only tip.\n");
        {
            CTipDialog dialog(nullptr, tips);
            dialog.accept();
        }
        // A position past the end of the file, or negative, starts from the top.
        for (int bad : {-5, 100000}) {
            fake.settings.SetInt(kTipSection, "FilePos", bad);
            CTipDialog dialog(nullptr, tips);
            QCOMPARE(dialog.CurrentTip(), QStringLiteral("Only tip."));
        }
        CTipDialog none(nullptr, dir.filePath("missing.txt"));
        QCOMPARE(none.CurrentTip(),
                 QStringLiteral("There are no tips to show: the tips file is missing or holds none."));
        none.NextTip();
        QCOMPARE(none.CurrentTip(),
                 QStringLiteral("There are no tips to show: the tips file is missing or holds none."));
        QCOMPARE(fake.settings.GetInt(kTipSection, "StartUp", 0), 0);
        fake.settings.SetInt(kTipSection, "StartUp", 0);
        QVERIFY(CTipDialog::ShowAtStartUp());
    }

    void theShippedTipsAreThere() {
        CFakeServices fake;
        InitResources();
        QFile file(QString::fromUtf8(CTipDialog::kShippedTips));
        QVERIFY(file.open(QIODevice::ReadOnly));
        int tips = 0;
        while (!file.atEnd()) {
            const QByteArray line = file.readLine().trimmed();
            if (!line.isEmpty() && !line.startsWith(';')) ++tips;
        }
        QVERIFY(tips >= 12);
        CTipDialog dialog;
        QVERIFY(dialog.CurrentTip().startsWith(QStringLiteral("Press \"Update\"")));
        // Every tip comes round once before the first again.
        QStringList seen{dialog.CurrentTip()};
        for (int i = 1; i < tips; ++i) {
            dialog.NextTip();
            QVERIFY(!seen.contains(dialog.CurrentTip()));
            seen << dialog.CurrentTip();
        }
        dialog.NextTip();
        QCOMPARE(dialog.CurrentTip(), seen.front());
    }
};

QTEST_MAIN(TipDialogTest)
#include "tip_dialog_test.moc"
