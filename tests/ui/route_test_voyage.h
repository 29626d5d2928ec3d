#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "app/event_log.h"
#include "core/voyage.h"
#include "document/keelmark_lite_doc.h"
#include "platform/fake/fake_services.h"

// A voyage built by hand on fake services, for the route and fix editing
// dialogs: Departure 50N, Fix A 49 48N, Mid 49 30N, Fix B 49 24N, Arrival 48N,
// all on the meridian, the fixes an hour apart; the ship at Fix B steering
// south for Arrival at 12 knots. The event log goes to a folder of its own.
struct RouteTestVoyage {
    static inline const CTime kNow = CTime::FromUtc(2026, 3, 10, 12, 0, 0);

    CFakeServices fake;
    QTemporaryDir dir;
    std::unique_ptr<CKeelmarkLiteDoc> doc;

    RouteTestVoyage() {
        fake.clock.Set(kNow);
        fake.settings.SetString(kSettingsSection, "logging", dir.filePath("ship.txt").toStdString());
        fake.settings.SetInt(kSettingsSection, "navreduce", 0);
        doc = std::make_unique<CKeelmarkLiteDoc>();
        doc->SetRecordPathOnClose(false);
        CVoyage& v = doc->GetVoyage();
        Place(v.GetFirst(), "Departure", 50.0, kNow - 4 * 3600);
        Place(v.GetLast(), "Arrival", 48.0, kNow + 6 * 3600);
        CPosition* mid = v.InsertWaypointAfter(v.GetFirst());
        Place(mid, "Mid", 49.5, kNow);
        v.SetNextWaypoint(mid);
        Place(v.InsertFix(), "Fix A", 49.8, kNow - 3 * 3600);
        v.SetNextWaypoint(v.GetLast());
        Place(v.InsertFix(), "Fix B", 49.4, kNow - 2 * 3600);
        doc->SetReferencePosition(v.GetFirst());
        CPosition& present = doc->GetPresentPosition();
        present.SetLatitude(49.4);
        present.SetLongitude(0.0);
        present.SetTime(kNow);
        present.SetSpeed(12.0);
        present.SetCourse(180.0);
        doc->GetNextWaypoint();
    }

    static void Place(CPosition* p, const char* name, double latitude, CTime time) {
        p->SetName(name);
        p->SetLatitude(latitude);
        p->SetLongitude(0.0);
        p->SetTime(time);
        p->SetProceedVia(CPosition::kRhumbLine);
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

    std::string Log() const {
        std::ifstream in(CEventLog::FileName(dir.filePath("ship.txt").toStdString(), CEventLog::LocalNow()),
                         std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
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
