#include "widgets/ResultsTableView.h"

#include <QAbstractItemModel>
#include <QHeaderView>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kMinimumPixels = 11;
constexpr int kMaximumPixels = 30;
// The widest texts are headers such as "HD1-Ded" and "dT [s]".
constexpr int kColumnChars = 8;
// A row 18 pixels high still holds text of the smallest size.
constexpr int kMinimumRowHeight = 18;

} // namespace

ResultsTableView::ResultsTableView(QWidget *parent)
    : QTableView(parent)
{
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    verticalHeader()->setMinimumSectionSize(kMinimumRowHeight);
    horizontalHeader()->setMinimumSectionSize(kColumnChars * kMinimumPixels * 6 / 10);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

int ResultsTableView::fittingPixelSize(int rowHeight, int columnWidth, int columnChars)
{
    // Digits are about 0.6 of the pixel size wide; a row needs some room
    // above and below its text.
    const int byHeight = rowHeight * 55 / 100;
    const int byWidth = columnWidth * 10 / (6 * std::max(1, columnChars) + 4);
    return std::clamp(std::min(byHeight, byWidth), kMinimumPixels, kMaximumPixels);
}

QSize ResultsTableView::minimumSizeHint() const
{
    const QAbstractItemModel *table = model();
    if (table == nullptr)
        return QTableView::minimumSizeHint();
    const int frame = 2 * frameWidth();
    return {verticalHeader()->sizeHint().width() +
                table->columnCount() * horizontalHeader()->minimumSectionSize() + frame,
            (table->rowCount() + 1) * kMinimumRowHeight + frame};
}

void ResultsTableView::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    fitFont();
}

void ResultsTableView::fitFont()
{
    const QAbstractItemModel *table = model();
    if (table == nullptr || table->rowCount() == 0 || table->columnCount() == 0)
        return;
    // The whole view less the headers, which grow with the font too.
    const int rows = table->rowCount() + 1;
    const int columns = table->columnCount();
    const int rowHeight = height() / rows;
    const int columnWidth = (width() - verticalHeader()->width()) / columns;
    const int pixels = fittingPixelSize(rowHeight, columnWidth, kColumnChars);
    // Small steps are left alone, so that the headers' new size cannot
    // make the font swing to and fro.
    if (std::abs(pixels - font().pixelSize()) < 2)
        return;
    QFont text = font();
    text.setPixelSize(pixels);
    setFont(text);
    horizontalHeader()->setFont(text);
    verticalHeader()->setFont(text);
}
