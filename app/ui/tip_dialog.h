#pragma once

#include <QByteArray>
#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;

// "Tip of the Day": one line of the tips file at a time. The settings section
// "Tip" remembers whether to show it at start-up ("StartUp", 0 = show), where the
// next tip starts ("FilePos", a byte offset) and which tips file that offset
// belongs to ("TimeStamp"; a different file starts again at its first tip).
// Blank lines and lines starting with ';' are not tips.
class CTipDialog : public QDialog {
public:
    // The tips ship inside the program; a test may give its own file.
    static constexpr const char* kShippedTips = ":/tips/tips.txt";

    explicit CTipDialog(QWidget* parent = nullptr, const QString& tipsFile = QString::fromUtf8(kShippedTips));

    // Whether the start-up shows the dialog ("StartUp" is 0).
    static bool ShowAtStartUp();

    QString CurrentTip() const;
    QCheckBox* ShowOnStartUpBox() const { return m_showOnStartUp; }
    // Moves on to the next tip, from the first again after the last.
    void NextTip();

    // Remembers the settings however the dialog ends.
    void done(int result) override;

private:
    QByteArray m_tips;
    QString m_fingerprint;
    qsizetype m_next = 0; // where the tip after the one shown starts
    QLabel* m_text;
    QCheckBox* m_showOnStartUp;
};

inline constexpr const char* kTipSection = "Tip";
