#include "app/ui/dashboard_view.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "app/dashboard_refresh.h"
#include "app/ui/dashboard_commands.h"
#include "core/event_log.h"
#include "core/ui/number_field.h"
#include "document/keelmark_lite_doc.h"
#include "reports/ui/report_commands.h"

namespace {

constexpr int kTrackRange = 10; // the slider runs from 10 to port to 10 to starboard

// Sets the flag for the life of a command's dialog, so that the refresh (and with
// it the alarms) does not run underneath it.
class Suspension {
public:
    Suspension(bool& flag, bool on) : m_flag(flag), m_on(on) {
        if (m_on) m_flag = true;
    }
    ~Suspension() {
        if (m_on) m_flag = false;
    }
    Suspension(const Suspension&) = delete;
    Suspension& operator=(const Suspension&) = delete;

private:
    bool& m_flag;
    bool m_on;
};

QString Text(const std::string& text) { return QString::fromStdString(text); }

QLabel* Unit(const QString& text, QWidget* parent) { return new QLabel(text, parent); }

// Label, field and unit on one row of a group's grid.
void AddRow(QGridLayout* grid, int row, const QString& label, QWidget* field, const QString& unit = {}) {
    auto* caption = new QLabel(label, field->parentWidget());
    caption->setBuddy(field);
    grid->addWidget(caption, row, 0);
    grid->addWidget(field, row, 1);
    if (!unit.isEmpty()) grid->addWidget(Unit(unit, field->parentWidget()), row, 2);
}

} // namespace

CKeelmarkLiteView::CKeelmarkLiteView(CKeelmarkLiteDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc) {
    setObjectName(QStringLiteral("dashboardView"));
    RegisterVoyageCommands(m_commands);
    CreateControls();
    m_normalPalette = m_requiredSpeed->palette();

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("refreshTimer"));
    m_timer->setInterval(kRefreshMilliseconds);
    connect(m_timer, &QTimer::timeout, this, [this] { Refresh(); });
}

QLineEdit* CKeelmarkLiteView::AddField(const char* name, const QString& widest) {
    auto* field = new QLineEdit(this);
    field->setObjectName(QString::fromLatin1(name));
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::ClickFocus); // the keyboard goes from button to button
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(widest) + 16);
    return field;
}

QPushButton* CKeelmarkLiteView::AddButton(const QString& text, const char* name, Command command) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setEnabled(CanExecute(command));
    connect(button, &QPushButton::clicked, this, [this, command] { Execute(command); });
    return button;
}

void CKeelmarkLiteView::CreateControls() {
    const QString number = QStringLiteral("-00000.00");
    const QString coordinate = QStringLiteral("000:00.00 North");

    // Present dead reckoning
    auto* present = new QGroupBox(QStringLiteral("Present Dead Reckoning"), this);
    m_latitude = AddField("latitudeField", coordinate);
    m_longitude = AddField("longitudeField", coordinate);
    m_trueCourse = AddField("trueCourseField", number);
    m_trueSpeed = AddField("trueSpeedField", number);
    m_popularPosition = AddField("popularPositionField", QStringLiteral("0000.00 nM  NNW from Popular Position"));
    auto* presentGrid = new QGridLayout(present);
    AddRow(presentGrid, 0, QStringLiteral("Latitude:"), m_latitude);
    AddRow(presentGrid, 1, QStringLiteral("Longitude:"), m_longitude);
    AddRow(presentGrid, 2, QStringLiteral("True Course:"), m_trueCourse, QStringLiteral("deg"));
    AddRow(presentGrid, 3, QStringLiteral("True Speed:"), m_trueSpeed, QStringLiteral("kts"));
    presentGrid->addWidget(AddButton(QStringLiteral("Update"), "updateButton", Command::GpsUpdate), 0, 3);
    auto* popularLabel = new QLabel(QStringLiteral("Popular Pos.:"), this);
    popularLabel->setBuddy(m_popularPosition);
    presentGrid->addWidget(popularLabel, 4, 0);
    presentGrid->addWidget(m_popularPosition, 4, 1, 1, 2);
    presentGrid->addWidget(AddButton(QStringLiteral("Popular"), "popularButton", Command::PopularButton), 4, 3);
    presentGrid->setColumnStretch(1, 1);

    // Next waypoint
    auto* next = new QGroupBox(QStringLiteral("Next Waypoint"), this);
    m_nextWaypoint = AddField("nextWaypointField", QStringLiteral("Enter Schedule to proceed"));
    m_bearing = AddField("bearingField", number);
    m_distance = AddField("distanceField", number);
    auto* nextGrid = new QGridLayout(next);
    nextGrid->addWidget(new QLabel(QStringLiteral("Name:"), this), 0, 0);
    nextGrid->addWidget(m_nextWaypoint, 0, 1, 1, 2);
    AddRow(nextGrid, 1, QStringLiteral("Bearing:"), m_bearing, QStringLiteral("deg"));
    AddRow(nextGrid, 2, QStringLiteral("Distance:"), m_distance, QStringLiteral("nM"));
    nextGrid->addWidget(AddButton(QStringLiteral("Edit"), "editWaypointButton", Command::EditNextWaypoint), 1, 3);
    nextGrid->addWidget(AddButton(QStringLiteral("Select"), "selectWaypointButton", Command::SelectNextWaypoint), 2, 3);
    nextGrid->setColumnStretch(1, 1);

    // Voyage
    auto* voyage = new QGroupBox(QStringLiteral("Voyage"), this);
    m_remainingDistance = AddField("remainingDistanceField", number);
    m_remainingHours = AddField("remainingHoursField", number);
    m_requiredSpeed = AddField("requiredSpeedField", number);
    m_requiredRpm = AddField("requiredRpmField", number);
    m_eta = AddField("etaField", QStringLiteral("Wednesday 30 Sep 23:59"));
    auto* voyageGrid = new QGridLayout(voyage);
    AddRow(voyageGrid, 0, QStringLiteral("Remaining Distance:"), m_remainingDistance, QStringLiteral("nM"));
    voyageGrid->addWidget(m_remainingHours, 0, 3);
    voyageGrid->addWidget(Unit(QStringLiteral("hrs"), this), 0, 4);
    AddRow(voyageGrid, 1, QStringLiteral("Required Speed:"), m_requiredSpeed, QStringLiteral("kts"));
    AddRow(voyageGrid, 2, QStringLiteral("Engine revs:"), m_requiredRpm, QStringLiteral("rpm"));
    voyageGrid->addWidget(new QLabel(QStringLiteral("ETA at present speed: "), this), 3, 0);
    voyageGrid->addWidget(m_eta, 3, 1, 1, 3);
    voyageGrid->addWidget(Unit(QStringLiteral("LT"), this), 3, 4);
    auto* voyageButtons = new QHBoxLayout;
    voyageButtons->addStretch(1);
    voyageButtons->addWidget(AddButton(QStringLiteral("Change"), "changeButton", Command::CourseSpeedChange));
    voyageButtons->addWidget(AddButton(QStringLiteral("Schedule"), "scheduleButton", Command::Schedule));
    voyageGrid->addLayout(voyageButtons, 4, 0, 1, 5);
    voyageGrid->setColumnStretch(1, 1);
    voyageGrid->setColumnStretch(3, 1);

    // Speed made good
    auto* madeGood = new QGroupBox(QStringLiteral("Speed made good"), this);
    m_reference = AddField("referenceField", QStringLiteral("GPS Fix 00 Mmm 00:00 UTC"));
    m_distanceMade = AddField("distanceMadeField", number);
    m_speedMadeGood = AddField("speedMadeGoodField", number);
    auto* madeGoodGrid = new QGridLayout(madeGood);
    madeGoodGrid->addWidget(new QLabel(QStringLiteral("From position fix:"), this), 0, 0);
    madeGoodGrid->addWidget(m_reference, 0, 1, 1, 2);
    madeGoodGrid->addWidget(AddButton(QStringLiteral("Select"), "selectReferenceButton", Command::SelectReference), 0,
                            3);
    AddRow(madeGoodGrid, 1, QStringLiteral("Distance made:"), m_distanceMade, QStringLiteral("nM"));
    AddRow(madeGoodGrid, 2, QStringLiteral("Speed:"), m_speedMadeGood, QStringLiteral("kts"));
    madeGoodGrid->setColumnStretch(1, 1);

    // Speed bars: present speed above, speed made good below; half full is the required speed.
    auto* speed = new QGroupBox(QStringLiteral("Speed"), this);
    auto* speedGrid = new QGridLayout(speed);
    auto addBar = [&](int row, const char* barName, QProgressBar*& bar, const char* hoursName, QLabel*& hours,
                      const char* speedName, QLabel*& knots) {
        bar = new QProgressBar(this);
        bar->setObjectName(QString::fromLatin1(barName));
        bar->setOrientation(Qt::Vertical);
        bar->setTextVisible(false);
        bar->setRange(0, 1);
        bar->setValue(0);
        hours = new QLabel(this);
        hours->setObjectName(QString::fromLatin1(hoursName));
        hours->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        knots = new QLabel(this);
        knots->setObjectName(QString::fromLatin1(speedName));
        knots->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        speedGrid->addWidget(bar, row * 2, 0, 2, 1);
        speedGrid->addWidget(new QLabel(QStringLiteral("Past"), this), row * 2, 1);
        speedGrid->addWidget(hours, row * 2, 2);
        speedGrid->addWidget(Unit(QStringLiteral("hours"), this), row * 2, 3);
        speedGrid->addWidget(knots, row * 2 + 1, 2);
        speedGrid->addWidget(Unit(QStringLiteral("kts"), this), row * 2 + 1, 3);
    };
    addBar(0, "upperBar", m_upperBar, "hoursSinceLastFixLabel", m_hoursSinceLastFix, "presentSpeedLabel",
           m_presentSpeed);
    addBar(1, "lowerBar", m_lowerBar, "hoursSinceReferenceLabel", m_hoursSinceReference, "speedMadeGoodBarLabel",
           m_speedMadeGoodCopy);
    speedGrid->setColumnMinimumWidth(2, fontMetrics().horizontalAdvance(QStringLiteral("00000.0")));
    speedGrid->setColumnStretch(4, 1);

    // Track: where to steer, port to starboard, with the course steered under the slider.
    auto* track = new QGroupBox(QStringLiteral("Track"), this);
    m_track = new QSlider(Qt::Horizontal, this);
    m_track->setObjectName(QStringLiteral("trackSlider"));
    m_track->setRange(-kTrackRange, kTrackRange);
    m_track->setTickPosition(QSlider::TicksBelow);
    m_track->setTickInterval(kTrackRange);
    m_track->setFocusPolicy(Qt::NoFocus);
    m_track->setAttribute(Qt::WA_TransparentForMouseEvents); // an indicator, not a control
    m_courseSteered = new QLabel(this);
    m_courseSteered->setObjectName(QStringLiteral("courseSteeredLabel"));
    m_courseSteered->setAlignment(Qt::AlignCenter);
    m_steer = AddField("steerField", number);
    auto* trackGrid = new QGridLayout(track);
    trackGrid->addWidget(new QLabel(QStringLiteral("PS"), this), 0, 0);
    trackGrid->addWidget(m_track, 0, 1, 1, 2);
    trackGrid->addWidget(new QLabel(QStringLiteral("SB"), this), 0, 3);
    trackGrid->addWidget(m_courseSteered, 1, 1, 1, 2);
    auto* steerLabel = new QLabel(QStringLiteral("Steer:"), this);
    steerLabel->setBuddy(m_steer);
    trackGrid->addWidget(steerLabel, 2, 0, 1, 1);
    trackGrid->addWidget(m_steer, 2, 1);
    trackGrid->addWidget(Unit(QStringLiteral("deg"), this), 2, 2);
    trackGrid->setColumnStretch(1, 1);
    trackGrid->setRowStretch(3, 1);

    // Average current at the next waypoint
    auto* current = new QGroupBox(QStringLiteral("Average current:"), this);
    m_currentDirection = AddField("currentDirectionField", number);
    m_currentSpeed = AddField("currentSpeedField", number);
    auto* currentGrid = new QGridLayout(current);
    AddRow(currentGrid, 0, QStringLiteral("Direction:"), m_currentDirection, QStringLiteral("deg"));
    AddRow(currentGrid, 1, QStringLiteral("Speed:"), m_currentSpeed, QStringLiteral("kts"));
    currentGrid->setColumnStretch(1, 1);

    for (QLineEdit* field :
         {m_trueCourse, m_trueSpeed, m_bearing, m_distance, m_remainingDistance, m_remainingHours, m_requiredSpeed,
          m_requiredRpm, m_distanceMade, m_speedMadeGood, m_steer, m_currentDirection, m_currentSpeed})
        field->setAlignment(Qt::AlignRight);

    auto* layout = new QGridLayout(this);
    layout->addWidget(present, 0, 0);
    layout->addWidget(next, 1, 0);
    layout->addWidget(voyage, 2, 0);
    layout->addWidget(madeGood, 3, 0);
    layout->addWidget(speed, 0, 1, 2, 1);
    layout->addWidget(track, 2, 1);
    layout->addWidget(current, 3, 1);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);
    layout->setRowStretch(4, 1);
}

void CKeelmarkLiteView::Execute(Command command) {
    const CommandHandler* handler = m_commands.Find(command);
    if (!handler) return;
    Suspension suspended(m_bSuspended, CommandSuspends(command));
    (*handler)(CCommandContext{&m_doc, this});
}

void CKeelmarkLiteView::WriteLog(const std::string& text) { CEventLog().Write(text); }

void CKeelmarkLiteView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_started) return;
    // The initial update: the form filled once, then the timer for good. The
    // alarms wait for the first tick, so that opening a voyage is not met by a box.
    m_started = true;
    Update(false);
    m_timer->start();
}

void CKeelmarkLiteView::Refresh() { Update(true); }

void CKeelmarkLiteView::Update(bool runAlarms) {
    if (m_bSuspended) return;
    const CDashboardFigures figures = RefreshDashboard(m_doc);
    ShowFigures(figures);
    RunReportSchedule(m_doc);
    // Without a schedule there is nothing to warn of; the ship's own figures go on.
    if (figures.scheduleExpired) return ShowScheduleExpired();
    if (runAlarms) m_alarms.Check(m_doc);
}

void CKeelmarkLiteView::ShowScheduleExpired() {
    // What needs the schedule stays empty, so that no stale or zero figure reads as true.
    for (QLineEdit* field : {m_bearing, m_distance, m_remainingDistance, m_remainingHours, m_requiredSpeed,
                             m_requiredRpm, m_reference, m_distanceMade, m_speedMadeGood, m_steer,
                             m_currentDirection, m_currentSpeed})
        field->clear();
    for (QLabel* label : {m_hoursSinceReference, m_speedMadeGoodCopy})
        label->clear();
    SetFlash(false);
}

void CKeelmarkLiteView::ShowFigures(const CDashboardFigures& f) {
    m_latitude->setText(Text(f.latitudeText));
    m_longitude->setText(Text(f.longitudeText));
    m_trueCourse->setText(Text(f.trueCourseText));
    m_trueSpeed->setText(Text(f.trueSpeedText));
    m_popularPosition->setText(Text(f.popularPositionText));

    m_nextWaypoint->setText(Text(f.nextWaypointName));
    m_bearing->setText(Text(f.bearingText));
    m_distance->setText(Text(f.distanceText));

    SetNumberField(m_remainingDistance, f.remainingDistance);
    m_remainingHours->setText(Text(f.remainingHoursText));
    m_requiredSpeed->setText(Text(f.requiredSpeedText));
    m_requiredRpm->setText(Text(f.requiredRpmText));
    m_eta->setText(Text(f.etaText));

    m_reference->setText(Text(f.referenceName));
    SetNumberField(m_distanceMade, f.distanceMade);
    SetNumberField(m_speedMadeGood, f.speedMadeGood);

    m_hoursSinceLastFix->setText(GeneralNumberText(f.hoursSinceLastFix));
    m_presentSpeed->setText(GeneralNumberText(f.presentSpeed));
    m_hoursSinceReference->setText(GeneralNumberText(f.hoursSinceReference));
    m_speedMadeGoodCopy->setText(GeneralNumberText(f.speedMadeGood));
    SetBar(m_upperBar, f.barMaximum, f.upperBar);
    SetBar(m_lowerBar, f.barMaximum, f.lowerBar);

    m_courseSteered->setText(QString::number(f.courseSteered));
    SetIntegerField(m_steer, f.steer);
    m_track->setValue(std::clamp(f.sliderPosition, -kTrackRange, kTrackRange));

    SetFlash(f.flashRequiredSpeed && !m_flashOn);

    SetNumberField(m_currentDirection, f.currentDirection);
    SetNumberField(m_currentSpeed, f.currentSpeed);
}

void CKeelmarkLiteView::SetBar(QProgressBar* bar, int maximum, int value) {
    // A range of 0 .. 0 would make the bar a busy indicator: show it empty instead.
    if (maximum <= 0) {
        bar->setRange(0, 1);
        bar->setValue(0);
        return;
    }
    bar->setRange(0, maximum);
    bar->setValue(std::clamp(value, 0, maximum)); // out of range, the bar would keep its old value
}

void CKeelmarkLiteView::SetFlash(bool on) {
    m_flashOn = on;
    m_requiredSpeed->setProperty("flashing", on);
    if (!on) {
        m_requiredSpeed->setPalette(m_normalPalette);
        return;
    }
    QPalette flash = m_normalPalette;
    flash.setColor(QPalette::Base, m_normalPalette.color(QPalette::Highlight));
    flash.setColor(QPalette::Text, m_normalPalette.color(QPalette::HighlightedText));
    m_requiredSpeed->setPalette(flash);
}
