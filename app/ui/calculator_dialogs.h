#pragma once

#include <QDialog>

class CCommandRegistry;
class CKeelmarkLiteDoc;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGridLayout;
class QLineEdit;
class QPushButton;

// The bridge calculators. None changes voyage data; the ETA calculator writes
// the setting "navreduce". A result without a finite value shows empty.
class CCalculatorDialog : public QDialog {
public:
    QPushButton* CalculateButton() const { return m_calculate; }

protected:
    // `calculate`: with a "Calculate" button, else "OK" only.
    CCalculatorDialog(const char* title, bool calculate, QWidget* parent);
    QLineEdit* AddInput(const char* label, const char* name, const char* unit);
    QLineEdit* AddResult(const char* label, const char* name, const char* unit);
    void AddRow(const char* label, QWidget* field, const char* unit);
    // Called by "Calculate".
    virtual void Calculate() {}

    QGridLayout* m_grid = nullptr;
    QPushButton* m_calculate = nullptr;
    QPushButton* m_close = nullptr;
};

class CDialogETA : public CCalculatorDialog {
public:
    explicit CDialogETA(CKeelmarkLiteDoc& doc, QWidget* parent = nullptr);
    void Calculate() override;
    QLineEdit* m_speed;
    QCheckBox* m_reduce;
    QLineEdit* m_eta;
    QLineEdit* m_rpm;

private:
    CKeelmarkLiteDoc& m_doc;
};

class CDialogSquad : public CCalculatorDialog {
public:
    CDialogSquad(double speed, double blockCoefficient, double draftAft, QWidget* parent = nullptr);
    void Calculate() override;
    QLineEdit* m_speed;
    QComboBox* m_condition;
    QLineEdit* m_squat;
    QLineEdit* m_maxDraft;

private:
    double m_blockCoefficient;
    double m_draftAft;
};

class CDialogWheelOver : public CCalculatorDialog {
public:
    CDialogWheelOver(double oldCourse, double newCourse, double speed, QWidget* parent = nullptr);
    void Calculate() override;
    QLineEdit* m_oldCourse;
    QLineEdit* m_newCourse;
    QLineEdit* m_rateOfTurn;
    QLineEdit* m_speed;
    QLineEdit* m_wheelOver;
};

class CDialogGeoRange : public CCalculatorDialog {
public:
    CDialogGeoRange(double eyeHeight, QWidget* parent = nullptr);
    QDoubleSpinBox* m_height;
    QLineEdit* m_range;

private:
    void Recompute();
    double m_eyeHeight;
};

class CDialogMetric : public CCalculatorDialog {
public:
    explicit CDialogMetric(QWidget* parent = nullptr);
    QComboBox* m_conversion;
    QLineEdit* m_value;
    QLineEdit* m_result;

private:
    void Recompute();
};

class CDialogShoreDistance : public CCalculatorDialog {
public:
    // `latitude`, `longitude`: the present position, for the nearest shoreline point.
    CDialogShoreDistance(double eyeHeight, double latitude, double longitude, QWidget* parent = nullptr);
    void Calculate() override;
    QLineEdit* m_height;
    QLineEdit* m_degrees;
    QLineEdit* m_minutes;
    QComboBox* m_method;
    QLineEdit* m_distance;
    QLineEdit* m_nearestShore;

private:
    double m_eyeHeight;
};

// The text of the nearest shoreline point from the plot's shorelines.
QString NearestShoreText(double latitude, double longitude);

void RegisterCalculatorCommands(CCommandRegistry& registry);
