#include "document/ui/course_speed_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

#include "core/ui/number_field.h"
#include "document/route_editing.h"
#include "document/ui/route_form.h"

namespace {

// Takes three digits as typed, so that 400 is refused as 400 rather than read as
// 40; the arrows stay within the course range.
class CCourseSpin : public QSpinBox {
public:
    explicit CCourseSpin(QWidget* parent) : QSpinBox(parent) { setRange(CCourseChange::kMinimumCourse, 999); }
    void stepBy(int steps) override {
        setValue(std::clamp(value() + steps, CCourseChange::kMinimumCourse, CCourseChange::kMaximumCourse));
    }
    QLineEdit* Edit() const { return lineEdit(); }
};

bool InCourseRange(int course) {
    return course >= CCourseChange::kMinimumCourse && course <= CCourseChange::kMaximumCourse;
}

void AddRow(QGridLayout* grid, int row, const QString& label, QWidget* field, const QString& unit = {}) {
    grid->addWidget(new QLabel(label, field->parentWidget()), row, 0);
    grid->addWidget(field, row, 1);
    if (!unit.isEmpty()) grid->addWidget(new QLabel(unit, field->parentWidget()), row, 2);
}

} // namespace

CDialogCourseSpeed::CDialogCourseSpeed(CCourseChange& change, QWidget* parent) : QDialog(parent), m_change(change) {
    setWindowTitle(QStringLiteral("Course and Speed"));

    m_course = new CCourseSpin(this);
    m_course->setObjectName(QStringLiteral("courseSpin"));
    m_course->setValue(change.GetCourse());

    // Bottom the manoeuvring revolutions, top the sea speed revolutions.
    m_slider = new QSlider(Qt::Vertical, this);
    m_slider->setObjectName(QStringLiteral("rpmSlider"));
    m_slider->setRange(change.GetManoeuvringRpm(), change.GetSeaSpeedRpm());
    m_slider->setValue(change.GetRpm());
    m_slider->setTickPosition(QSlider::TicksRight);
    m_slider->setTickInterval(5);
    m_slider->setMinimumHeight(160);

    m_setRpm = ReadOnlyField(this, "setRpmField");
    m_speed = ReadOnlyField(this, "speedField");
    m_required = ReadOnlyField(this, "requiredField");
    m_duration = ReadOnlyField(this, "durationField");
    m_distance = ReadOnlyField(this, "distanceField");

    auto* grid = new QGridLayout;
    auto* courseRow = new QHBoxLayout;
    courseRow->addWidget(new QLabel(QStringLiteral("Change gyro course to:"), this));
    courseRow->addWidget(m_course);
    courseRow->addStretch(1);
    AddRow(grid, 0, QStringLiteral("Set rpm:"), m_setRpm);
    AddRow(grid, 1, QStringLiteral("Speed:"), m_speed, QStringLiteral("kts"));
    AddRow(grid, 2, QStringLiteral("Required:"), m_required, QStringLiteral("rpm"));
    AddRow(grid, 3, QStringLiteral("Duration:"), m_duration, QStringLiteral("minutes"));
    AddRow(grid, 4, QStringLiteral("Distance:"), m_distance, QStringLiteral("nM"));
    grid->setRowStretch(5, 1);

    auto* sliderColumn = new QVBoxLayout;
    sliderColumn->addWidget(new QLabel(QStringLiteral("Engine rpm"), this), 0, Qt::AlignHCenter);
    sliderColumn->addWidget(m_slider, 1, Qt::AlignHCenter);

    auto* body = new QHBoxLayout;
    body->addLayout(sliderColumn);
    body->addLayout(grid, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDialogCourseSpeed::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDialogCourseSpeed::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(courseRow);
    layout->addLayout(body);
    layout->addWidget(buttons);

    connect(m_slider, &QSlider::valueChanged, this, [this](int rpm) {
        m_change.SetRpm(rpm);
        ShowFigures();
    });
    connect(m_course, &QSpinBox::editingFinished, this, [this] {
        if (InCourseRange(m_course->value())) m_change.AcceptCourse(m_course->value());
    });

    m_change.SetRpm(change.GetRpm());
    ShowFigures();
}

void CDialogCourseSpeed::ShowFigures() {
    m_setRpm->setText(QString::number(m_change.GetRpm()));
    m_speed->setText(FormNumber(m_change.GetSpeed()));
    m_required->setText(FormNumber(m_change.GetRequiredRpm()));
    m_duration->setText(FormNumber(m_change.GetDuration()));
    m_distance->setText(FormNumber(m_change.GetDistance()));
}

void CDialogCourseSpeed::accept() {
    // A course typed but not yet left counts as entered.
    m_course->interpretText();
    int course = 0;
    if (!ReadIntegerField(static_cast<CCourseSpin*>(m_course)->Edit(), CCourseChange::kMinimumCourse,
                          CCourseChange::kMaximumCourse, course))
        return;
    m_change.AcceptCourse(course);
    QDialog::accept();
}
