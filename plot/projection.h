#pragma once

#include <string>
#include <vector>

// A place on the earth, degrees, north and east positive. On the plot a longitude
// may run beyond -180..180: a passage across the date line keeps counting on.
struct CGeoPoint {
    double latitude = 0.0;
    double longitude = 0.0;
};

// A point of the Mercator chart: x is the longitude in degrees, y the meridional
// parts expressed in degrees of longitude, so that one unit is the same length
// both ways at any place.
struct CMapPoint {
    double x = 0.0;
    double y = 0.0;
};

struct CMapRect {
    // North is up (top > bottom); empty until a point is included.
    double left = 1.0, bottom = 1.0, right = -1.0, top = -1.0;
    bool IsEmpty() const { return right < left || top < bottom; }
    void Include(const CMapPoint& p);
};

// The chart stops short of the poles, where the meridional parts grow without bound.
inline constexpr double kMercatorLatitudeLimit = 85.0;

double MercatorY(double latitude);
double LatitudeFromMercatorY(double y);
CMapPoint Project(const CGeoPoint& p);
CGeoPoint Unproject(const CMapPoint& p);

// `longitude` moved by whole turns to lie within 180 degrees of `near`.
double UnwrapLongitude(double longitude, double near);

struct CScreenPoint {
    double x = 0.0;
    double y = 0.0;
};

// What part of the chart a window of so many pixels shows: the chart point at its
// centre and the pixels per degree of longitude. The centre's x is kept within
// -180..180; the chart repeats east and west, so everything is drawn at the turn
// of longitude nearest the centre.
class CPlotViewport {
public:
    static constexpr double kMinScale = 0.5;    // the whole world in 180 pixels (and never less than the window)
    static constexpr double kMaxScale = 6000.0; // a pixel for 18 metres

    void SetSize(double width, double height);
    double Width() const { return m_width; }
    double Height() const { return m_height; }
    void SetCenter(const CMapPoint& center);
    const CMapPoint& Center() const { return m_center; }
    void SetScale(double pixelsPerDegree);
    double Scale() const { return m_scale; }

    CScreenPoint ToScreen(const CMapPoint& p) const;
    CMapPoint FromScreen(double px, double py) const;
    // The place under a pixel, its longitude brought into -180..180.
    CGeoPoint GeoAt(double px, double py) const;
    // The part of the chart the window covers (x unwrapped around the centre).
    CMapRect Visible() const;
    // The whole turns of longitude (multiples of 360) at which something spanning
    // `bounds` must be drawn to appear in the window; none when it does not.
    std::vector<double> WrapOffsets(const CMapRect& bounds) const;

    // Zooms by `factor` keeping the chart point under the pixel where it is.
    void ZoomAbout(double px, double py, double factor);
    // Moves the chart with the mouse: by dx, dy pixels.
    void Pan(double dx, double dy);
    // Shows `bounds` whole, with `margin` pixels to spare on every side.
    void Fit(const CMapRect& bounds, double margin);

private:
    double m_width = 1.0;
    double m_height = 1.0;
    CMapPoint m_center;
    double m_scale = 1.0;
};

// The graticule: meridians and parallels at a spacing that follows the zoom,
// each labelled in degrees and minutes.
struct CGraticuleLine {
    double value = 0.0; // chart x of a meridian (unwrapped), latitude of a parallel
    std::string label;  // "4°30'W", "52°N", "0°"
};

struct CGraticule {
    double stepMinutes = 0.0;
    std::vector<CGraticuleLine> meridians;
    std::vector<CGraticuleLine> parallels;
};

// Lines at least `minSpacing` pixels apart (along the meridians' spacing), at the
// first of 1', 2', 5', 10', 15', 20', 30', 1°, 2°, 5°, 10°, 15°, 30° that keeps them so.
CGraticule MakeGraticule(const CPlotViewport& view, double minSpacing);
// "52°30'N", "4°W", "0°", "180°"; the longitude is brought into -180..180 first.
std::string GraticuleLabel(double degrees, bool latitude);
