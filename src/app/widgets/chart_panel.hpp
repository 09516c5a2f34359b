#pragma once
// A panel that draws one x/y plot: a plot area inside four margins with its grid colour, tick
// lines and labels on either scale, axes, a title, free points and lines of points. While the
// mouse moves over it the data position under the pointer is shown; a double click copies the
// drawn panel to the clipboard as a bitmap.
//
// Drawing order: the panel colour over everything, the plot area in the grid colour, the x
// scale, the y scale, the axes, the title, the free points, the lines.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QString>
#include <QWidget>

#include <vector>

class QPainter;

namespace qdx::app {

enum TAxisType { xtNone, xtCent0, xtQuad1, xtQuad2 };
// Linear, or natural-logarithmic on x, on y or on both.
enum TScaleType { stXY, stlnXY, stXlnY, stlnXlnY };
enum TXYPosPlace { ppTopRight, ppBottomLeft };
enum TMarkerShape { msNone, msSquare, msCircle, msCross, msDiamond };

struct TChartPoint {
    double x = 0;
    double y = 0;
    QColor color = Qt::black;      // outline, and the caption
    QColor fillColor = Qt::black;  // inside of the marker
    TMarkerShape marker = msNone;
    int markerSize = 7;  // pixels across
    QString caption;     // drawn beside the marker
};

struct TChartLine {
    Qt::PenStyle style = Qt::SolidLine;
    int width = 1;
    QColor color = Qt::black;
    std::vector<TChartPoint> points;
    TMarkerShape marker = msNone;  // drawn on every point unless a bitmap is given
    QImage markerBitmap;
    QString caption;  // drawn beside the last point

    void AddPoint(double x, double y) {
        TChartPoint p;
        p.x = x;
        p.y = y;
        p.color = p.fillColor = color;
        points.push_back(std::move(p));
    }
};

// The tick step of a linear scale for a raw step (span / (ticks - 1)): the first entry of the
// step table whose value plus its margin is not below the raw step, else the raw step taken
// up to a multiple of 500.
double ChartTickStep(double rawStep);
// The tick values of a linear scale: min + k * step for k = 0 to trunc(1.02 (max - min) / step).
std::vector<double> ChartLinearTicks(double min, double max, int ticks);
// A tick label or readout value: the magnitude format of the value, trailing zeros removed.
QString ChartValueText(double value);

class TChartPanel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor AxesColor READ AxesColor WRITE SetAxesColor)
    Q_PROPERTY(QColor GridColor READ GridColor WRITE SetGridColor)
    Q_PROPERTY(int LeftMargin READ LeftMargin WRITE SetLeftMargin)
    Q_PROPERTY(int RightMargin READ RightMargin WRITE SetRightMargin)
    Q_PROPERTY(int TopMargin READ TopMargin WRITE SetTopMargin)
    Q_PROPERTY(int BottomMargin READ BottomMargin WRITE SetBottomMargin)
    Q_PROPERTY(double XMin READ XMin WRITE SetXMin)
    Q_PROPERTY(double XMax READ XMax WRITE SetXMax)
    Q_PROPERTY(double YMin READ YMin WRITE SetYMin)
    Q_PROPERTY(double YMax READ YMax WRITE SetYMax)
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)
    Q_PROPERTY(Qt::Alignment TitleAlignment READ TitleAlignment WRITE SetTitleAlignment)
    Q_PROPERTY(bool ShowXYPos READ ShowXYPos WRITE SetShowXYPos)
    Q_PROPERTY(int ShowXYPosPlace READ ShowXYPosPlace WRITE SetShowXYPosPlace)
    Q_PROPERTY(QString ShowXPosFmt READ ShowXPosFmt WRITE SetShowXPosFmt)
    Q_PROPERTY(QString ShowYPosFmt READ ShowYPosFmt WRITE SetShowYPosFmt)
    Q_PROPERTY(bool ShowXScale READ ShowXScale WRITE SetShowXScale)
    Q_PROPERTY(int ScaleXTicks READ ScaleXTicks WRITE SetScaleXTicks)
    Q_PROPERTY(QString ScaleXLabel READ ScaleXLabel WRITE SetScaleXLabel)
    Q_PROPERTY(bool ShowYScale READ ShowYScale WRITE SetShowYScale)
    Q_PROPERTY(int ScaleYTicks READ ScaleYTicks WRITE SetScaleYTicks)
    Q_PROPERTY(QString ScaleYLabel READ ScaleYLabel WRITE SetScaleYLabel)
    Q_PROPERTY(int AxisType READ AxisType WRITE SetAxisType)
    Q_PROPERTY(int ScaleType READ ScaleType WRITE SetScaleType)
    Q_PROPERTY(QFont FontLabels READ FontLabels WRITE SetFontLabels)
    Q_PROPERTY(QFont FontXYPos READ FontXYPos WRITE SetFontXYPos)
    Q_PROPERTY(QFont ScaleXFont READ ScaleXFont WRITE SetScaleXFont)
    Q_PROPERTY(QFont ScaleYFont READ ScaleYFont WRITE SetScaleYFont)

// A published value: its getter, and a setter that redraws the panel.
#define QDX_CHART_VALUE(Type, Name, member, initial) \
public:                                              \
    Type Name() const { return member; }             \
    void Set##Name(const Type& v) {                  \
        member = v;                                  \
        update();                                    \
    }                                                \
                                                     \
private:                                             \
    Type member = initial

    QDX_CHART_VALUE(QColor, AxesColor, axesColor_, {});
    QDX_CHART_VALUE(QColor, GridColor, gridColor_, Qt::white);
    QDX_CHART_VALUE(int, LeftMargin, leftMargin_, 40);
    QDX_CHART_VALUE(int, RightMargin, rightMargin_, 20);
    QDX_CHART_VALUE(int, TopMargin, topMargin_, 25);
    QDX_CHART_VALUE(int, BottomMargin, bottomMargin_, 40);
    QDX_CHART_VALUE(double, XMin, xMin_, 1);
    QDX_CHART_VALUE(double, XMax, xMax_, 10);
    QDX_CHART_VALUE(double, YMin, yMin_, 1);
    QDX_CHART_VALUE(double, YMax, yMax_, 10);
    QDX_CHART_VALUE(QString, Title, title_, {});
    QDX_CHART_VALUE(Qt::Alignment, TitleAlignment, titleAlignment_, Qt::AlignHCenter);
    QDX_CHART_VALUE(bool, ShowXYPos, showXYPos_, true);
    QDX_CHART_VALUE(int, ShowXYPosPlace, showXYPosPlace_, ppBottomLeft);
    QDX_CHART_VALUE(QString, ShowXPosFmt, showXPosFmt_, {});
    QDX_CHART_VALUE(QString, ShowYPosFmt, showYPosFmt_, {});
    QDX_CHART_VALUE(bool, ShowXScale, showXScale_, true);
    QDX_CHART_VALUE(int, ScaleXTicks, scaleXTicks_, 6);
    QDX_CHART_VALUE(QString, ScaleXLabel, scaleXLabel_, {});
    QDX_CHART_VALUE(bool, ShowYScale, showYScale_, true);
    QDX_CHART_VALUE(int, ScaleYTicks, scaleYTicks_, 6);
    QDX_CHART_VALUE(QString, ScaleYLabel, scaleYLabel_, {});
    QDX_CHART_VALUE(int, AxisType, axisType_, xtQuad1);
    QDX_CHART_VALUE(int, ScaleType, scaleType_, stXY);
    QDX_CHART_VALUE(QFont, FontLabels, fontLabels_, {});
    QDX_CHART_VALUE(QFont, FontXYPos, fontXYPos_, {});
    QDX_CHART_VALUE(QFont, ScaleXFont, scaleXFont_, {});
    QDX_CHART_VALUE(QFont, ScaleYFont, scaleYFont_, {});
#undef QDX_CHART_VALUE

public:
    explicit TChartPanel(QWidget* parent = nullptr);

    // The two ends of a scale at once. Equal ends are widened: a value v other than 0 becomes
    // the range between 0.5 v and 1.5 v (the smaller end first), and 0 becomes 0 to 1.
    void SetXRange(double min, double max);
    void SetYRange(double min, double max);

    // The lines and free points drawn over the plot.
    std::vector<TChartLine>& Lines() { return lines_; }
    std::vector<TChartPoint>& Points() { return points_; }
    TChartLine& AddLine(const QColor& color, int width = 1, Qt::PenStyle style = Qt::SolidLine);
    void ClearLines();
    void ClearPoints();

    // The plot area of a panel of the given size (the panel less its margins), and the
    // mapping between data and pixels inside it (logarithmic on the axes the scale type says).
    QRect PlotRect(const QSize& size) const;
    QPointF ToPixel(double x, double y, const QSize& size) const;
    // False when the pixel lies outside the ranges.
    bool ToData(const QPointF& pixel, const QSize& size, double& x, double& y) const;

    // The text of the position readout now shown (empty when none).
    QString PositionText() const { return position_; }

    // Draws the whole panel into a painter over a device of the given size (the screen, an
    // image, an SVG or PDF file).
    void Render(QPainter& painter, const QSize& size) const;
    // The drawn panel as a bitmap: what a double click copies.
    QImage ToImage() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool LogX() const { return scaleType_ == stlnXY || scaleType_ == stlnXlnY; }
    bool LogY() const { return scaleType_ == stXlnY || scaleType_ == stlnXlnY; }
    void DrawXScale(QPainter& p, const QRect& plot, const QSize& size) const;
    void DrawYScale(QPainter& p, const QRect& plot, const QSize& size) const;
    void DrawAxes(QPainter& p, const QRect& plot) const;
    void DrawTitle(QPainter& p, const QSize& size) const;
    void DrawMarker(QPainter& p, const QPointF& at, TMarkerShape shape, int size,
                    const QColor& color, const QColor& fill) const;
    void DrawPosition(QPainter& p, const QSize& size) const;

    std::vector<TChartLine> lines_;
    std::vector<TChartPoint> points_;
    QString position_;
};

}  // namespace qdx::app
