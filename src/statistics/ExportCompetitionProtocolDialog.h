#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

// Summarises a folder of saved routines into the competition statistics
// (JSON) and the heat map of the landing positions beside it. The scan runs
// in the GUI thread and serves the event loop after every file.
class ExportCompetitionProtocolDialog : public QDialog
{
    Q_OBJECT
public:
    // Asks where the statistics go, starting from the proposed file in the
    // scanned folder; an empty answer saves nothing. Tests answer without a
    // dialog.
    using TargetChooser = std::function<QString(const QString &proposed)>;

    explicit ExportCompetitionProtocolDialog(const QString &folder, QWidget *parent = nullptr);

    QString folder() const { return m_folder; }
    // The statistics file proposed in the save dialog.
    QString proposedTarget() const;
    void setFolder(const QString &folder);
    void setTargetChooser(TargetChooser chooser) { m_targetChooser = std::move(chooser); }
    // Asks whether an existing heat map picture may be replaced (the save
    // dialog confirmed only the statistics file); tests answer without a box.
    using ReplaceQuestion = std::function<bool(const QString &path)>;
    void setReplaceQuestion(ReplaceQuestion question) { m_replaceQuestion = std::move(question); }
    bool isRunning() const { return m_running; }

public Q_SLOTS:
    void startExport();
    // While the scan runs, closing stops it after the current file.
    void reject() override;

Q_SIGNALS:
    // The statistics file and its heat map were written.
    void exported(const QString &jsonPath, const QString &heatMapPath);

private:
    void chooseFolder();
    void setRunning(bool running);
    bool askReplace(const QString &path);

    QString m_folder;
    QLabel *m_pathLabel = nullptr;
    QPushButton *m_pathButton = nullptr;
    QCheckBox *m_includeSubfolders = nullptr;
    QPushButton *m_startButton = nullptr;
    QProgressBar *m_progressBar = nullptr;
    QLabel *m_resultLabel = nullptr;
    TargetChooser m_targetChooser;
    ReplaceQuestion m_replaceQuestion;
    bool m_running = false;
    bool m_stopRequested = false;
};
