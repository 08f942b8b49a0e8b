#pragma once

#include <QDialog>

class QLabel;

// "About Ovra": the version and build identifiers of this program, its
// licence and the libraries it uses with theirs.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);

    QLabel *versionLabel() const { return m_version; }
    QLabel *licenceLabel() const { return m_licences; }

    // The build lines: version, revision, build number and build time.
    static QString buildText();
    // The program's licence and one line per library used.
    static QString licenceText();

private:
    QLabel *m_version = nullptr;
    QLabel *m_licences = nullptr;
};
