#include "app/ui/print_commands.h"

#include <QDialogButtonBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include <memory>

#include "app/printouts.h"
#include "core/ui/command_registry.h"
#include "core/ui/printing.h"
#include "document/keelmark_lite_doc.h"

CDialogSelectOutput::CDialogSelectOutput(int choice, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Select output"));
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < kPrintoutCount; ++i) {
        m_buttons[i] = new QRadioButton(QString::fromUtf8(kPrintoutNames[i]), this);
        m_buttons[i]->setObjectName(QStringLiteral("output%1").arg(i));
        layout->addWidget(m_buttons[i]);
    }
    m_buttons[choice >= 0 && choice < kPrintoutCount ? choice : 0]->setChecked(true);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(box);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

int CDialogSelectOutput::Choice() const {
    for (int i = 0; i < kPrintoutCount; ++i)
        if (m_buttons[i]->isChecked()) return i;
    return 0;
}

namespace {

// "Select output" first; Cancel keeps the choice, and the printing goes on either way.
Printout ChooseOutput(const CCommandContext& c, int& choice) {
    CDialogSelectOutput dialog(choice, c.parent);
    if (dialog.exec() == QDialog::Accepted) choice = dialog.Choice();
    return static_cast<Printout>(choice);
}

FormBuilder Builder(CKeelmarkLiteDoc& doc, Printout which) {
    return [&doc, which](int pageHeight) { return BuildPrintout(which, doc, pageHeight); };
}

std::string DocumentName(Printout which) { return kPrintoutNames[static_cast<int>(which)]; }

} // namespace

void RegisterPrintCommands(CCommandRegistry& registry) {
    auto choice = std::make_shared<int>(0);
    registry.Register(Command::FilePrint, [choice](const CCommandContext& c) {
        const Printout which = ChooseOutput(c, *choice);
        PrintFormWithDialog(c.parent, Builder(c.Doc(), which), DocumentName(which));
    });
    registry.Register(Command::FilePrintPreview, [choice](const CCommandContext& c) {
        const Printout which = ChooseOutput(c, *choice);
        PreviewForm(c.parent, Builder(c.Doc(), which), DocumentName(which));
    });
}
