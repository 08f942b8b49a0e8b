#pragma once

#include <QTableView>

// The landings table of the live page. Every row (the totals row "Tot"
// included) and every column share the view's space, so the whole routine
// is on screen without scrolling, and the text grows with the cells so it
// can be read from the bed.
class ResultsTableView : public QTableView
{
    Q_OBJECT
public:
    explicit ResultsTableView(QWidget *parent = nullptr);

    // Text size for cells of that size, given the widest text of a column
    // in characters; within readable bounds.
    static int fittingPixelSize(int rowHeight, int columnWidth, int columnChars);

    // Room for every row and column at the smallest text.
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void fitFont();
};
