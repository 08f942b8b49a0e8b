#include "misc/TutorialDialog.h"

#include <QCheckBox>
#include <QDebug>
#include <QHBoxLayout>
#include <QImageReader>
#include <QPixmap>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

const QColor TutorialDialog::kPlaceholderColor(0, 128, 128);

// The picture of a page, scaled to the space it has without distortion.
class TutorialPicture : public QWidget
{
public:
    explicit TutorialPicture(QWidget *parent)
        : QWidget(parent)
    {
        setObjectName(QStringLiteral("pictureLabel"));
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        setMinimumSize(320, 200);
    }
    void setImage(const QImage &image)
    {
        m_image = image;
        m_scaled = QPixmap();
        update();
    }
    const QImage &image() const { return m_image; }
    QSize sizeHint() const override { return QSize(960, 600); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (m_image.isNull())
            return;
        // Smooth scaling of a screenshot takes tens of milliseconds: done
        // once per size, not on every repaint.
        const QSize size = m_image.size().scaled(this->size(), Qt::KeepAspectRatio);
        if (m_scaled.size() != size)
            m_scaled = QPixmap::fromImage(m_image.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        QPainter painter(this);
        painter.drawPixmap(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), m_scaled);
    }

private:
    QImage m_image;
    QPixmap m_scaled;
};

TutorialDialog::TutorialDialog(const QString &title, const QList<TutorialPage> &pages, bool showStartupBox,
                               bool showOnEveryStartup, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("tutorialDialog"));
    setWindowTitle(title);
    auto *layout = new QVBoxLayout(this);
    m_picture = new TutorialPicture(this);
    layout->addWidget(m_picture, 1);
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("textLabel"));
    m_text->setWordWrap(true);
    m_text->setTextFormat(Qt::AutoText);
    m_text->setOpenExternalLinks(true);
    m_text->setMinimumHeight(m_text->fontMetrics().height() * 5);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(m_text);

    auto *buttons = new QHBoxLayout;
    m_showOnEveryStartup = new QCheckBox(tr("Show this dialog on every startup"), this);
    m_showOnEveryStartup->setObjectName(QStringLiteral("showOnEveryStartupBox"));
    m_showOnEveryStartup->setVisible(showStartupBox);
    m_showOnEveryStartup->setChecked(showOnEveryStartup);
    m_previous = new QPushButton(tr("Previous"), this);
    m_previous->setObjectName(QStringLiteral("previousBtn"));
    m_next = new QPushButton(tr("Next"), this);
    m_next->setObjectName(QStringLiteral("nextBtn"));
    m_next->setDefault(true);
    buttons->addWidget(m_showOnEveryStartup);
    buttons->addStretch();
    buttons->addWidget(m_previous);
    buttons->addWidget(m_next);
    layout->addLayout(buttons);

    connect(m_showOnEveryStartup, &QCheckBox::toggled, this, &TutorialDialog::showOnEveryStartupChanged);
    connect(m_next, &QPushButton::clicked, this, &TutorialDialog::nextPage);
    connect(m_previous, &QPushButton::clicked, this, &TutorialDialog::previousPage);

    // Only the page shown holds its decoded picture; a picture that cannot
    // be read is reported now, once.
    for (const TutorialPage &page : pages) {
        QImageReader reader(page.picture);
        const bool readable = reader.canRead();
        if (!readable)
            qWarning().noquote() << "Could not load image file: " + page.picture;
        m_pages.append(LoadedPage{page.picture, readable, page.text});
    }
    if (m_pages.isEmpty())
        m_pages.append(LoadedPage{QString(), true, tr("There are no tutorial pages available.")});
    showPage(0);
    m_previous->setEnabled(false);
    if (m_pages.size() == 1)
        m_next->setText(tr("Finish"));
    resize(1000, 760);
}

QImage TutorialDialog::loadPicture(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull()) {
        qWarning().noquote() << "Could not load image file: " + path;
        image = placeholder();
    }
    return image;
}

QImage TutorialDialog::placeholder()
{
    QImage image(kPlaceholderSize, kPlaceholderSize, QImage::Format_RGB32);
    image.fill(kPlaceholderColor);
    return image;
}

QImage TutorialDialog::pageImage(int index) const
{
    if (index < 0 || index >= m_pages.size() || m_pages.at(index).picture.isEmpty())
        return QImage();
    const LoadedPage &page = m_pages.at(index);
    return page.readable ? loadPicture(page.picture) : placeholder();
}

QString TutorialDialog::pageText(int index) const
{
    return index >= 0 && index < m_pages.size() ? m_pages.at(index).text : QString();
}

void TutorialDialog::showPage(int index)
{
    m_index = index;
    const QImage image = pageImage(index);
    m_picture->setImage(image);
    m_picture->setVisible(!image.isNull());
    m_text->setText(m_pages.at(index).text);
}

void TutorialDialog::nextPage()
{
    if (m_index >= pageCount() - 1) {
        close();
        return;
    }
    m_previous->setEnabled(true);
    showPage(m_index + 1);
    if (m_index == pageCount() - 1)
        m_next->setText(tr("Finish"));
}

void TutorialDialog::previousPage()
{
    if (m_index <= 0)
        return;
    m_next->setText(tr("Next"));
    showPage(m_index - 1);
    m_previous->setEnabled(m_index > 0);
}
