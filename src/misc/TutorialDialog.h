#pragma once

#include <QDialog>
#include <QImage>
#include <QList>
#include <QString>

class QCheckBox;
class QLabel;
class QPushButton;
class TutorialPicture;

// One page of a tutorial: a picture (resource path) and the text below it.
struct TutorialPage
{
    QString picture;
    QString text;
};

// Pages through a tutorial, a picture with a text below it per page.
class TutorialDialog : public QDialog
{
    Q_OBJECT
public:
    // A picture that cannot be read is shown as a square of this size and
    // colour, so the page still shows its text.
    static constexpr int kPlaceholderSize = 512;
    static const QColor kPlaceholderColor;

    TutorialDialog(const QString &title, const QList<TutorialPage> &pages, bool showStartupBox,
                   bool showOnEveryStartup, QWidget *parent = nullptr);

    int pageCount() const { return static_cast<int>(m_pages.size()); }
    // -1 before the first page is shown.
    int pageIndex() const { return m_index; }
    // The page's picture, decoded on each call (the dialog keeps only the
    // one shown).
    QImage pageImage(int index) const;
    QString pageText(int index) const;
    QPushButton *previousButton() const { return m_previous; }
    QPushButton *nextButton() const { return m_next; }
    QCheckBox *showOnEveryStartupBox() const { return m_showOnEveryStartup; }
    QLabel *textLabel() const { return m_text; }

    // Loads a picture with the orientation of its EXIF data; a picture that
    // cannot be read gives the placeholder and a warning.
    static QImage loadPicture(const QString &path);

Q_SIGNALS:
    void showOnEveryStartupChanged(bool checked);

public Q_SLOTS:
    void nextPage();
    void previousPage();

private:
    struct LoadedPage
    {
        QString picture;
        bool readable = true;
        QString text;
    };
    static QImage placeholder();
    void showPage(int index);

    QList<LoadedPage> m_pages;
    int m_index = -1;
    TutorialPicture *m_picture = nullptr;
    QLabel *m_text = nullptr;
    QCheckBox *m_showOnEveryStartup = nullptr;
    QPushButton *m_previous = nullptr;
    QPushButton *m_next = nullptr;
};
