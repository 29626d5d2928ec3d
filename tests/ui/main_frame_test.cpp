#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QtTest>

#include "app/ui/about_dialog.h"
#include "app/ui/main_frame.h"
#include "ui/modal_helper.h"

class MainFrameTest : public QObject {
    Q_OBJECT

private slots:
    void titleIconAndStatusBar() {
        CMainFrame frame;
        QCOMPARE(frame.windowTitle(), QStringLiteral("Keelmark Lite"));
        // The icon comes from the resources of a static library: it is empty if they were never registered.
        const QList<QSize> sizes = frame.windowIcon().availableSizes();
        QVERIFY(sizes.contains(QSize(16, 16)));
        QVERIFY(sizes.contains(QSize(32, 32)));
        auto* ready = frame.statusBar()->findChild<QLabel*>(QStringLiteral("readyLabel"));
        QVERIFY(ready);
        QCOMPARE(ready->text(), QStringLiteral("Ready"));
    }

    void menus() {
        CMainFrame frame;
        const QList<QAction*> top = frame.menuBar()->actions();
        QCOMPARE(top.size(), 9);
        QCOMPARE(top.front()->text(), QStringLiteral("&File"));
        QCOMPARE(top.back()->text(), QStringLiteral("&Help"));

        QVERIFY(top.front()->menu()->actions().contains(frame.ExitAction()));
        QCOMPARE(frame.ExitAction()->text(), QStringLiteral("E&xit"));
        QCOMPARE(frame.ExitAction()->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));

        QVERIFY(top.back()->menu()->actions().contains(frame.AboutAction()));
        QCOMPARE(frame.AboutAction()->text(), QStringLiteral("&About Keelmark Lite..."));
    }

    void showsAndClosesOffscreen() {
        CMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        frame.ExitAction()->trigger();
        QVERIFY(!frame.isVisible());

        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QVERIFY(frame.close());
        QVERIFY(!frame.isVisible());
    }

    void aboutBoxShowsNameAndVersion() {
        CMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QString title, name, version;
        OnNextModal<CAboutDialog>([&](CAboutDialog* about) {
            title = about->windowTitle();
            if (auto* label = about->findChild<QLabel*>(QStringLiteral("nameLabel"))) name = label->text();
            if (auto* label = about->findChild<QLabel*>(QStringLiteral("versionLabel"))) version = label->text();
            QTest::keyClick(about, Qt::Key_Return);
        });
        frame.AboutAction()->trigger(); // returns once the box is closed
        QCOMPARE(title, QStringLiteral("About Keelmark Lite"));
        QCOMPARE(name, QStringLiteral("Keelmark Lite"));
        QCOMPARE(version, QStringLiteral("Version 0.1.0"));
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(MainFrameTest)
#include "main_frame_test.moc"
