#pragma once

#include <QDialog>
#include <QTabWidget>
#include <QWidget>

#include "weather/meteo_obs.h"

class CPosition;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

inline constexpr const char* kMeteoCurrentNote =
    "Note: Current speed && direction are automatically calculated at each position update.";

// A page of the meteo sheet. On OK every page in turn copies its fields into the
// observation; a page that refuses a value (after telling the user and focusing
// the field) keeps the sheet open on it.
class CMeteoPage : public QWidget {
public:
    using QWidget::QWidget;
    virtual bool CopyBack(CMeteoObs& obs) {
        (void)obs;
        return true;
    }
};

// "Air Pressure": barometer, change and trend in the last 90 minutes.
class CPageMeteoPressure : public CMeteoPage {
public:
    CPageMeteoPressure(const CMeteoObs& obs, QWidget* parent = nullptr);
    bool CopyBack(CMeteoObs& obs) override;
    QLineEdit* BarometerEdit() const { return m_barometer; }
    QLineEdit* ChangeEdit() const { return m_change; }
    QComboBox* TendencyList() const { return m_tendency; }

private:
    QLineEdit* m_barometer;
    QLineEdit* m_change;
    QComboBox* m_tendency;
};

// "Sky": general appearance and the three cloud layers.
class CPageMeteoSky : public CMeteoPage {
public:
    CPageMeteoSky(const CMeteoObs& obs, QWidget* parent = nullptr);
    bool CopyBack(CMeteoObs& obs) override;
    QLineEdit* TotalCoverEdit() const { return m_total; }
    QLineEdit* HeightEdit() const { return m_height; }
    QComboBox* TendencyList() const { return m_tendency; }
    // Layer 0 low, 1 middle, 2 high.
    QLineEdit* CoverEdit(int layer) const { return m_cover[layer]; }
    QComboBox* TypeList(int layer) const { return m_type[layer]; }

private:
    QLineEdit* m_total;
    QLineEdit* m_height;
    QComboBox* m_tendency;
    QLineEdit* m_cover[3];
    QComboBox* m_type[3];
};

// "Temperatures": air (dry, wet; dew point and humidity shown only) and sea.
class CPageMeteoTemp : public CMeteoPage {
public:
    CPageMeteoTemp(const CMeteoObs& obs, QWidget* parent = nullptr);
    bool CopyBack(CMeteoObs& obs) override;
    QLineEdit* DryEdit() const { return m_dry; }
    QLineEdit* WetEdit() const { return m_wet; }
    QLineEdit* SeaEdit() const { return m_sea; }
    QRadioButton* MethodButton(int method) const { return m_method[method]; }

private:
    QLineEdit* m_dry;
    QLineEdit* m_wet;
    QLineEdit* m_sea;
    QRadioButton* m_method[2];
};

// "Weather": present weather (ww) and past weather (W1, W2).
class CPageMeteoWeather : public CMeteoPage {
public:
    CPageMeteoWeather(const CMeteoObs& obs, QWidget* parent = nullptr);
    bool CopyBack(CMeteoObs& obs) override;
    QCheckBox* PrecipitationBox() const { return m_precipitation; }
    QSpinBox* PresentWeather() const { return m_ww; }
    QSpinBox* PastWeather1() const { return m_w1; }
    QSpinBox* PastWeather2() const { return m_w2; }

private:
    QCheckBox* m_precipitation;
    QSpinBox* m_ww;
    QSpinBox* m_w1;
    QSpinBox* m_w2;
};

// "Wind": true wind and how it was found.
class CPageMeteoWind : public CMeteoPage {
public:
    CPageMeteoWind(const CMeteoObs& obs, QWidget* parent = nullptr);
    bool CopyBack(CMeteoObs& obs) override;
    QLineEdit* SpeedEdit() const { return m_speed; }
    QLineEdit* DirectionEdit() const { return m_direction; }
    QRadioButton* MethodButton(int method) const { return m_method[method]; }

private:
    QLineEdit* m_speed;
    QLineEdit* m_direction;
    QRadioButton* m_method[3];
};

// "Sea State": waves and two swell systems.
class CPageMeteoSea : public CMeteoPage {
public:
    CPageMeteoSea(const CMeteoObs& obs, QWidget* parent = nullptr);
    bool CopyBack(CMeteoObs& obs) override;
    QLineEdit* WaveHeightEdit() const { return m_waveHeight; }
    QLineEdit* WavePeriodEdit() const { return m_wavePeriod; }
    // Swell 0 or 1.
    QLineEdit* SwellDirectionEdit(int swell) const { return m_direction[swell]; }
    QLineEdit* SwellHeightEdit(int swell) const { return m_height[swell]; }
    QLineEdit* SwellPeriodEdit(int swell) const { return m_period[swell]; }

private:
    QLineEdit* m_waveHeight;
    QLineEdit* m_wavePeriod;
    QLineEdit* m_direction[2];
    QLineEdit* m_height[2];
    QLineEdit* m_period[2];
};

// "Current": the current worked out at the position fixes, shown only.
class CPageMeteoCurrent : public CMeteoPage {
public:
    CPageMeteoCurrent(const CMeteoCurrent& current, QWidget* parent = nullptr);
};

// "Meteo": the weather observation. OK collects the pages into Edited();
// storing and averaging it is the caller's (ConfirmMeteo).
class CSheetMeteo : public QDialog {
public:
    CSheetMeteo(const CMeteoObs& record, const CPosition* nextWaypoint, const CPosition* lastFix,
                QWidget* parent = nullptr);

    const CMeteoObs& Edited() const { return m_edited; }
    QTabWidget* Tabs() const { return m_tabs; }
    template <typename Page> Page* FindPage() const {
        for (int i = 0; i < m_tabs->count(); ++i)
            if (auto* page = dynamic_cast<Page*>(m_tabs->widget(i))) return page;
        return nullptr;
    }

    void accept() override;

private:
    CMeteoObs m_edited;
    QTabWidget* m_tabs;
};
