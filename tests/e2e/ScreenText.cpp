#include "tests/e2e/ScreenText.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <vector>

namespace {

// How far a pixel must be from the background to count as ink; how far the drawn candidate may be from
// the screen on average over its glyphs' box (the same glyphs antialiased alike differ by nothing); and
// by how much the best candidate must beat the next (texts that differ in one glyph differ by some 8).
constexpr int kInkContrast = 64;
constexpr double kAcceptedDifference = 6.0;
constexpr double kClearlyBetter = 4.0;

QFont ProgramFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    return font;
}

// Grey levels of an image, row by row.
struct GreyImage {
    int Width = 0;
    int Height = 0;
    std::vector<int> Levels;
    int At(int x, int y) const { return Levels[static_cast<size_t>(y * Width + x)]; }
};

GreyImage GreyOf(const QImage& image)
{
    GreyImage grey{image.width(), image.height(), {}};
    grey.Levels.reserve(static_cast<size_t>(grey.Width * grey.Height));
    for (int y = 0; y < grey.Height; ++y) {
        for (int x = 0; x < grey.Width; ++x)
            grey.Levels.push_back(qGray(image.pixel(x, y)));
    }
    return grey;
}

// The colour most pixels of the box have.
QRgb BackgroundOf(const QImage& region)
{
    QHash<QRgb, int> counts;
    QRgb best = 0;
    int bestCount = 0;
    for (int y = 0; y < region.height(); ++y) {
        for (int x = 0; x < region.width(); ++x) {
            const int count = ++counts[region.pixel(x, y)];
            if (count > bestCount) {
                bestCount = count;
                best = region.pixel(x, y);
            }
        }
    }
    return best;
}

bool IsInk(int level, int background) { return std::abs(level - background) > kInkContrast; }

// The box around a grey image's ink, or an empty box.
QRect InkBox(const GreyImage& grey, int background)
{
    QRect box;
    for (int y = 0; y < grey.Height; ++y) {
        for (int x = 0; x < grey.Width; ++x) {
            if (IsInk(grey.At(x, y), background))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// The candidate as the program would draw it on that background: its glyphs' grey levels.
GreyImage DrawnText(const QString& text, QRgb background)
{
    const QFont font = ProgramFont();
    const QFontMetrics metrics(font);
    QImage image(metrics.horizontalAdvance(text) + 8, metrics.height() + 8, QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPoint(4, 4 + metrics.ascent()), text);
    painter.end();
    const QRect ink = InkBox(GreyOf(image), qGray(background));
    if (ink.isEmpty())
        return {};
    return GreyOf(image.copy(ink));
}

// Ink of the screen outside the matched glyphs: allowed only as one column (a text cursor).
bool OnlyACursorBeside(const GreyImage& region, int background, const QRect& matched)
{
    const QRect kept = matched.adjusted(-1, -1, 1, 1);
    int cursorColumn = -1;
    for (int y = 0; y < region.Height; ++y) {
        for (int x = 0; x < region.Width; ++x) {
            if (!IsInk(region.At(x, y), background) || kept.contains(x, y))
                continue;
            if (cursorColumn >= 0 && cursorColumn != x)
                return false;
            cursorColumn = x;
        }
    }
    return true;
}

} // namespace

std::optional<QString> ReadText(const QImage& screen, const QRect& box, const QStringList& candidates)
{
    const QImage region = screen.copy(box);
    const QRgb background = BackgroundOf(region);
    const GreyImage shown = GreyOf(region);
    const int backgroundLevel = qGray(background);
    if (InkBox(shown, backgroundLevel).isEmpty())
        return candidates.contains(QString()) ? std::optional<QString>(QString()) : std::nullopt;

    std::optional<QString> best;
    double bestDifference = std::numeric_limits<double>::max();
    double runnerUpDifference = std::numeric_limits<double>::max();
    for (const QString& candidate : candidates) {
        if (candidate.isEmpty())
            continue;
        const GreyImage drawn = DrawnText(candidate, background);
        if (drawn.Width == 0 || drawn.Height > shown.Height)
            continue;
        // A text wider than the box shows only as much as fits (a line edit scrolls it): the candidate may
        // then stand out of the box at either side, as long as it fills the box's width.
        const int overlapNeeded = std::min(drawn.Width, shown.Width - 4);
        double candidateDifference = std::numeric_limits<double>::max();
        QRect place;
        for (int top = 0; top + drawn.Height <= shown.Height; ++top) {
            for (int left = overlapNeeded - drawn.Width; left + overlapNeeded <= shown.Width; ++left) {
                const int from = std::max(0, -left);
                const int to = std::min(drawn.Width, shown.Width - left);
                if (to - from < overlapNeeded)
                    continue;
                long total = 0;
                for (int y = 0; y < drawn.Height; ++y) {
                    for (int x = from; x < to; ++x)
                        total += std::abs(shown.At(left + x, top + y) - drawn.At(x, y));
                }
                const double difference = double(total) / ((to - from) * drawn.Height);
                if (difference < candidateDifference) {
                    candidateDifference = difference;
                    place = QRect(left + from, top, to - from, drawn.Height);
                }
            }
        }
        if (!OnlyACursorBeside(shown, backgroundLevel, place))
            continue;
        if (candidateDifference < bestDifference) {
            runnerUpDifference = bestDifference;
            bestDifference = candidateDifference;
            best = candidate;
        } else {
            runnerUpDifference = std::min(runnerUpDifference, candidateDifference);
        }
    }
    if (bestDifference > kAcceptedDifference || runnerUpDifference - bestDifference < kClearlyBetter)
        return std::nullopt;
    return best;
}
