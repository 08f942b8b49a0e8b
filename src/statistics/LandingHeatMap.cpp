#include "statistics/LandingHeatMap.h"

#include "widgets/TrampolineGeometry.h"

#include <QCoreApplication>
#include <QDebug>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace ovra::statistics {

namespace geometry = widget::trampoline;

namespace {

constexpr int kPanelWidth = 780;
constexpr int kMargin = 20;
constexpr int kTitleHeight = 48;
constexpr int kCaptionHeight = 30;
constexpr int kLegendHeight = 76;

// From few to many landings: light yellow through orange to dark red.
constexpr std::array<QRgb, 5> kRamp = {qRgb(255, 255, 178), qRgb(254, 204, 92), qRgb(253, 141, 60),
                                       qRgb(240, 59, 32), qRgb(189, 0, 38)};

QColor rampColor(double fraction)
{
    const double f = std::clamp(fraction, 0.0, 1.0) * static_cast<double>(kRamp.size() - 1);
    const auto low = static_cast<std::size_t>(std::floor(f));
    const std::size_t high = std::min(low + 1, kRamp.size() - 1);
    const double t = f - static_cast<double>(low);
    const auto mix = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
    return QColor(mix(qRed(kRamp[low]), qRed(kRamp[high])), mix(qGreen(kRamp[low]), qGreen(kRamp[high])),
                  mix(qBlue(kRamp[low]), qBlue(kRamp[high])));
}

// Faint densities fade out so the bed stays visible where nobody landed.
int rampAlpha(double fraction)
{
    return static_cast<int>(std::lround(235.0 * std::clamp(fraction * 5.0, 0.0, 1.0)));
}

QImage densityImage(const DensityGrid &grid, double scaleMaximum)
{
    QImage image(grid.columns, grid.rows, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    if (scaleMaximum <= 0.0)
        return image;
    for (int row = 0; row < grid.rows; ++row) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(row));
        for (int column = 0; column < grid.columns; ++column) {
            const double fraction = grid.at(column, row) / scaleMaximum;
            if (fraction <= 0.0)
                continue;
            const QColor color = rampColor(fraction);
            line[column] = qRgba(color.red(), color.green(), color.blue(), rampAlpha(fraction));
        }
    }
    return image;
}

// The picture's texts, translated in the context "LandingHeatMap".
class LandingHeatMap
{
    Q_DECLARE_TR_FUNCTIONS(LandingHeatMap)
};

void drawBed(QPainter &painter, const QRect &viewport, const DensityGrid &grid, double scaleMaximum)
{
    painter.save();
    painter.setWindow(geometry::windowRect());
    painter.setViewport(viewport);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(55, 60, 70));
    painter.drawRoundedRect(geometry::windowRect(), geometry::kFrameCornerRadius,
                            geometry::kFrameCornerRadius);
    painter.setBrush(QColor(226, 232, 240));
    painter.drawRect(geometry::bedRect());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QRectF(geometry::windowRect()), densityImage(grid, scaleMaximum));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(40, 50, 70, 150), geometry::kZoneLineWidth, Qt::SolidLine, Qt::FlatCap));
    for (const QLine &line : geometry::zoneLines())
        painter.drawLine(line);
    painter.setPen(QPen(QColor(40, 50, 70, 90), geometry::kZoneLineWidth, Qt::SolidLine, Qt::FlatCap));
    for (const QLine &line : geometry::innerZoneLines())
        painter.drawLine(line);
    painter.restore();
}

} // namespace

DensityGrid landingDensity(const QList<LandingSample> &landings, double cellCm, double bandwidthCm)
{
    const QRect window = geometry::windowRect();
    DensityGrid grid;
    grid.cellCm = cellCm > 0.0 ? cellCm : kHeatMapCellCm;
    grid.leftCm = window.left() / 10.0;
    grid.topCm = -window.top() / 10.0;
    grid.columns = static_cast<int>(std::ceil(window.width() / 10.0 / grid.cellCm));
    grid.rows = static_cast<int>(std::ceil(window.height() / 10.0 / grid.cellCm));
    grid.values.assign(static_cast<std::size_t>(grid.columns) * static_cast<std::size_t>(grid.rows), 0.0);

    const double sigma = bandwidthCm > 0.0 ? bandwidthCm : kHeatMapBandwidthCm;
    // Per square metre: the kernel integrates to one over square centimetres.
    const double norm = 10000.0 / (2.0 * std::numbers::pi * sigma * sigma);
    const int reach = static_cast<int>(std::ceil(3.0 * sigma / grid.cellCm));
    // The kernel is separable: one row of weights across and one along.
    std::vector<double> across(static_cast<std::size_t>(2 * reach + 1));
    std::vector<double> along(across.size());
    for (const LandingSample &landing : landings) {
        const double column = (landing.x - grid.leftCm) / grid.cellCm - 0.5;
        const double row = (grid.topCm - landing.y) / grid.cellCm - 0.5;
        const int c0 = static_cast<int>(std::lround(column));
        const int r0 = static_cast<int>(std::lround(row));
        for (int k = -reach; k <= reach; ++k) {
            const double dx = (c0 + k - column) * grid.cellCm;
            const double dy = (r0 + k - row) * grid.cellCm;
            across[static_cast<std::size_t>(k + reach)] = std::exp(-dx * dx / (2.0 * sigma * sigma));
            along[static_cast<std::size_t>(k + reach)] = norm * std::exp(-dy * dy / (2.0 * sigma * sigma));
        }
        for (int r = std::max(0, r0 - reach); r <= std::min(grid.rows - 1, r0 + reach); ++r) {
            const double weight = along[static_cast<std::size_t>(r - r0 + reach)];
            double *line =
                grid.values.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(grid.columns);
            for (int c = std::max(0, c0 - reach); c <= std::min(grid.columns - 1, c0 + reach); ++c)
                line[c] += weight * across[static_cast<std::size_t>(c - c0 + reach)];
        }
    }
    if (!grid.values.empty())
        grid.maximum = *std::max_element(grid.values.begin(), grid.values.end());
    return grid;
}

QImage renderHeatMap(const CompetitionStatistics &statistics)
{
    const int panelHeight = static_cast<int>(std::lround(kPanelWidth / geometry::kAspectRatio));
    const int width = 3 * kMargin + 2 * kPanelWidth;
    const int height = kTitleHeight + kCaptionHeight + panelHeight + kLegendHeight + kMargin;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    // Fonts exist only in a GUI application.
    const bool texts = qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;

    const std::array<DensityGrid, 2> grids = {landingDensity(statistics.trampOneLandings()),
                                              landingDensity(statistics.trampTwoLandings())};
    const double scaleMaximum = std::max(grids[0].maximum, grids[1].maximum);
    const std::array<qsizetype, 2> counts = {statistics.trampOneLandings().size(),
                                             statistics.trampTwoLandings().size()};

    QFont font = texts ? painter.font() : QFont();
    if (texts) {
        font.setPixelSize(24);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(QColor(30, 30, 30));
        painter.drawText(QRect(kMargin, 0, width - 2 * kMargin, kTitleHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, LandingHeatMap::tr("Landing positions"));
    }
    for (int t = 0; t < 2; ++t) {
        const int left = kMargin + t * (kPanelWidth + kMargin);
        const QRect viewport(left, kTitleHeight + kCaptionHeight, kPanelWidth, panelHeight);
        drawBed(painter, viewport, grids[static_cast<std::size_t>(t)], scaleMaximum);
        if (texts) {
            font.setPixelSize(17);
            font.setBold(false);
            painter.setFont(font);
            const QString caption =
                (t == 0 ? LandingHeatMap::tr("Trampoline 1") : LandingHeatMap::tr("Trampoline 2")) +
                QStringLiteral(" – ") +
                LandingHeatMap::tr("%n landing(s)", nullptr,
                                   static_cast<int>(counts[static_cast<std::size_t>(t)]));
            painter.drawText(QRect(left, kTitleHeight, kPanelWidth, kCaptionHeight),
                             Qt::AlignLeft | Qt::AlignVCenter, caption);
        }
    }

    // Legend: the colour scale from no landings to the densest spot.
    const int legendTop = kTitleHeight + kCaptionHeight + panelHeight + 20;
    const QRect bar(kMargin + 260, legendTop, 400, 18);
    QLinearGradient gradient(bar.topLeft(), bar.topRight());
    for (int k = 0; k <= 20; ++k) {
        const double fraction = k / 20.0;
        QColor color = rampColor(fraction);
        color.setAlpha(rampAlpha(fraction));
        gradient.setColorAt(fraction, color);
    }
    painter.setPen(QColor(120, 120, 120));
    painter.setBrush(QColor(226, 232, 240));
    painter.drawRect(bar);
    painter.setBrush(gradient);
    painter.drawRect(bar);
    if (texts) {
        font.setPixelSize(15);
        painter.setFont(font);
        painter.setPen(QColor(30, 30, 30));
        painter.drawText(QRect(kMargin, legendTop - 6, 250, 30), Qt::AlignRight | Qt::AlignVCenter,
                         LandingHeatMap::tr("Landings per m²"));
        painter.drawText(QRect(bar.left() - 40, bar.bottom() + 4, 80, 22), Qt::AlignCenter,
                         QStringLiteral("0"));
        painter.drawText(QRect(bar.right() - 60, bar.bottom() + 4, 120, 22), Qt::AlignCenter,
                         QString::number(scaleMaximum, 'f', scaleMaximum < 10.0 ? 1 : 0));
        painter.drawText(QRect(bar.right() + 80, legendTop - 6, width - bar.right() - 100, 30),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         LandingHeatMap::tr("Each landing is spread over about %1 cm around its position.")
                             .arg(QString::number(2.0 * kHeatMapBandwidthCm, 'f', 0)));
    }
    painter.end();
    return image;
}

bool saveHeatMap(const CompetitionStatistics &statistics, const QString &path)
{
    // Unbuffered, because commit() takes a buffered tail that no longer fits
    // on the disk for written.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        qWarning().noquote() << "unable to open file -" << file.errorString();
        return false;
    }
    if (!renderHeatMap(statistics).save(&file, "PNG") || !file.commit()) {
        qWarning().noquote() << "unable to write file" << path << "-" << file.errorString();
        return false;
    }
    return true;
}

} // namespace ovra::statistics
