#pragma once

#include "util/CsvSource.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QStandardItemModel;
class QTableView;

// Lets the operator choose a CSV start list, its separator and whether its
// first row holds the column titles, with a preview of the first rows and
// the rows that cannot be read. Choosing a file proposes the separator and
// the header from its first lines.
class CsvImportDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kPreviewRows = 10;

    // Asks for the file; tests answer without a dialog.
    using FileChooser = std::function<QString(QWidget *parent, const QString &title, const QString &start)>;

    explicit CsvImportDialog(QWidget *parent = nullptr);

    // The choice of the dialog; complete once it was accepted.
    CsvSource source() const { return m_source; }
    void setFileChooser(FileChooser chooser) { m_fileChooser = std::move(chooser); }

    QComboBox *separatorCombo() const { return m_separator; }
    QCheckBox *headerCheckBox() const { return m_header; }
    QStandardItemModel *previewModel() const { return m_preview; }
    QTableView *previewView() const { return m_previewView; }
    QLabel *pathLabel() const { return m_path; }
    // The encoding read and the rows that cannot be read.
    QLabel *problemsLabel() const { return m_problems; }
    QDialogButtonBox *buttons() const { return m_buttons; }

public Q_SLOTS:
    void chooseFile();
    void setFile(const QString &path);
    void accept() override;

private:
    void refreshPreview();
    CsvSource current() const;

    QLabel *m_path = nullptr;
    QLabel *m_problems = nullptr;
    QComboBox *m_separator = nullptr;
    QCheckBox *m_header = nullptr;
    QStandardItemModel *m_preview = nullptr;
    QTableView *m_previewView = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
    QString m_file;
    CsvSource m_source;
    FileChooser m_fileChooser;
};
