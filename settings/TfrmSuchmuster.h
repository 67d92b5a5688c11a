#pragma once

#include "settings/FixedDialog.h"

class PatternListBox;
class QLabel;
class QPushButton;

// The pattern editor: a working copy of the main pattern list, in which a
// check mark marks an entry for deletion. "&Okay" replaces the main list and
// saves it to the pattern file.
class TfrmSuchmuster : public FixedDialog {
    Q_OBJECT
public:
    explicit TfrmSuchmuster(QWidget* parent = nullptr);

    // The list this editor works on, and the directory its file lives in.
    void setMainList(PatternListBox* patterns, const QString& programDirectory);
    void SavePatterns();

public Q_SLOTS:
    void FormActivate();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showCount();

    PatternListBox* Patterns;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QLabel* Label1;
    QPushButton* BitBtn3;

    PatternListBox* m_mainList = nullptr;
    QString m_programDirectory;
};
