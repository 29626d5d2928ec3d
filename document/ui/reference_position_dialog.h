#pragma once

#include <QDialog>

#include "document/route_editing.h"

class QListWidget;

// "Reference Position": the position fix that speed made good is reckoned from.
// OK with a fix selected makes it the reference; without one nothing changes.
class CDialogReferencePosition : public QDialog {
public:
    explicit CDialogReferencePosition(CKeelmarkLiteDoc& doc, QWidget* parent = nullptr);

    QListWidget* List() const { return m_list; }

    void accept() override;

private:
    CKeelmarkLiteDoc& m_doc;
    CReferenceChoice m_choice;
    QListWidget* m_list;
};
