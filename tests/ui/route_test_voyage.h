#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <memory>
#include <string>

#include "core/event_log.h"
#include "core/voyage.h"
#include "document/keelmark_lite_doc.h"
#include "platform/fake/fake_services.h"
#include "support/test_host.h"

// The meridian route on fake services, for the route and fix editing dialogs;
// the event log goes to a folder of its own.
struct RouteTestVoyage : CTestHost {
    static inline const CTime kNow = CTime::FromUtc(2026, 3, 10, 12, 0, 0);

    std::unique_ptr<CKeelmarkLiteDoc> doc;

    RouteTestVoyage() : CTestHost(kNow) {
        Set("logging", Path("ship.txt"));
        Set("navreduce", 0);
        doc = std::make_unique<CKeelmarkLiteDoc>();
        MakeMeridianRoute(*doc, kNow);
        doc->GetNextWaypoint();
    }

    QStringList Route() const {
        QStringList names;
        for (int i = 0; i < doc->GetVoyage().GetCount(); ++i)
            names << QString::fromStdString(doc->GetVoyage().GetAt(i)->GetName());
        return names;
    }

    QStringList Prompts() const {
        QStringList texts;
        for (const auto& shown : fake.prompts.History())
            texts << QString::fromStdString(shown.text);
        return texts;
    }


    static std::string LogLine(const std::string& text) {
        return kNow.FormatUtc("%m/%d/%y  %H:%M:%S  ") + text + "\r\n";
    }
};

// The push button of a dialog with this text (OK and Cancel of a button box included).
inline QAbstractButton* ButtonNamed(QWidget* dialog, const QString& text) {
    for (auto* box : dialog->findChildren<QDialogButtonBox*>()) {
        if (text == QLatin1String("OK")) return box->button(QDialogButtonBox::Ok);
        if (text == QLatin1String("Cancel")) return box->button(QDialogButtonBox::Cancel);
    }
    for (auto* button : dialog->findChildren<QPushButton*>())
        if (button->text() == text) return button;
    return nullptr;
}

inline QStringList LabelTexts(const QWidget* widget) {
    QStringList texts;
    for (auto* label : widget->findChildren<QLabel*>())
        if (!label->text().isEmpty()) texts << label->text();
    return texts;
}

inline bool HasGroup(const QWidget* widget, const char* title) {
    for (auto* box : widget->findChildren<QGroupBox*>())
        if (box->title() == QLatin1String(title)) return true;
    return false;
}
