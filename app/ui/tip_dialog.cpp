#include "app/ui/tip_dialog.h"

#include <QCheckBox>
#include <QCryptographicHash>
#include <QDialogButtonBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ui/program.h"
#include "platform/services.h"

namespace {

constexpr const char* kStartUpKey = "StartUp";
constexpr const char* kFilePosKey = "FilePos";
constexpr const char* kTimeStampKey = "TimeStamp";

bool IsTip(const QByteArray& line) {
    const QByteArray text = line.trimmed();
    return !text.isEmpty() && !text.startsWith(';');
}

} // namespace

CTipDialog::CTipDialog(QWidget* parent, const QString& tipsFile) : QDialog(parent) {
    InitResources();
    setWindowTitle(QStringLiteral("Tip of the Day"));

    QFile file(tipsFile);
    if (file.open(QIODevice::ReadOnly)) m_tips = file.readAll();
    // The tips file as it is now: an edited or newer file starts at its first tip.
    m_fingerprint = QString::fromLatin1(QCryptographicHash::hash(m_tips, QCryptographicHash::Sha1).toHex().left(16));

    ISettingsStore& store = services::Settings();
    const bool sameFile = store.GetString(kTipSection, kTimeStampKey, "") == m_fingerprint.toStdString();
    const int position = sameFile ? store.GetInt(kTipSection, kFilePosKey, 0) : 0;
    m_next = position >= 0 && position <= m_tips.size() ? position : 0;

    auto* heading = new QLabel(QStringLiteral("Did you know..."), this);
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    heading->setFont(bold);
    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);

    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("tipText"));
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setMinimumSize(m_text->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 50,
                           m_text->fontMetrics().lineSpacing() * 5);

    m_showOnStartUp = new QCheckBox(QStringLiteral("Show tips on startup"), this);
    m_showOnStartUp->setObjectName(QStringLiteral("showTips"));
    m_showOnStartUp->setChecked(store.GetInt(kTipSection, kStartUpKey, 0) == 0);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* next = buttons->addButton(QStringLiteral("&Next Tip"), QDialogButtonBox::ActionRole);
    next->setObjectName(QStringLiteral("nextTip"));
    QPushButton* close = buttons->addButton(QStringLiteral("&Close"), QDialogButtonBox::AcceptRole);
    close->setObjectName(QStringLiteral("closeTip"));
    close->setDefault(true);
    connect(next, &QPushButton::clicked, this, [this] { NextTip(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(heading);
    text->addWidget(m_text, 1);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addLayout(text, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_showOnStartUp);
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(bottom);

    NextTip();
}

bool CTipDialog::ShowAtStartUp() { return services::Settings().GetInt(kTipSection, kStartUpKey, 0) == 0; }

QString CTipDialog::CurrentTip() const { return m_text->text(); }

void CTipDialog::NextTip() {
    // From where the last tip ended to the next line that is a tip; past the end
    // once round from the start.
    for (int round = 0; round < 2; ++round) {
        while (m_next < m_tips.size()) {
            qsizetype end = m_tips.indexOf('\n', m_next);
            if (end < 0) end = m_tips.size();
            const QByteArray line = m_tips.mid(m_next, end - m_next);
            m_next = end < m_tips.size() ? end + 1 : end;
            if (IsTip(line)) {
                m_text->setText(QString::fromUtf8(line.trimmed()));
                return;
            }
        }
        m_next = 0;
    }
    m_text->setText(QStringLiteral("There are no tips to show: the tips file is missing or holds none."));
}

void CTipDialog::done(int result) {
    ISettingsStore& store = services::Settings();
    store.SetInt(kTipSection, kStartUpKey, m_showOnStartUp->isChecked() ? 0 : 1);
    store.SetInt(kTipSection, kFilePosKey, static_cast<int>(m_next));
    store.SetString(kTipSection, kTimeStampKey, m_fingerprint.toStdString());
    QDialog::done(result);
}
