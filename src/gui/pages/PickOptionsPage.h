#pragma once

#include "core/picking/PickRules.h"

#include "gui/pages/Page.h"

class PageContext;
class PanelLabel;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class SpinEdit;
class TabControl;

// The page "予想オプション設定" (TabSheet2): the pick method, the exclusion editor, the count
// view per base-number position, the threshold, and restoring or resetting the options. The
// method and threshold it shows are the line generator's rule, published on every change.
class PickOptionsPage : public Page
{
    Q_OBJECT
public:
    explicit PickOptionsPage(PageContext &context, QWidget *parent = nullptr);

    QString guide() const override;

    void InitMainControls();
    // The method and threshold shown now, which the line generator follows.
    PickChoice pickChoice() const;
    // Start-up: applies the stored pick options (the tag of btnBaseDef is 1 meanwhile).
    void restorePickOptions();

    void btnBaseSaveClick();
    void RadioButton1Click();
    void RadioButton2Click();
    void RadioButton3Click();
    void RadioButton4Click();
    void ComSet_PnlBtnClick(PanelLabel *sender);
    void TabControl1Change();
    void btnUpdateClick();
    void btnDeleteClearClick();
    void btnAgainUpdateClick();
    void btnBaseDefClick();

signals:
    // The line generator of the main page is offered, or not, by the method.
    void automaticPickingChanged(bool enabled);
    // The default line count of a run, set as the count of the next run.
    void runLineCountChanged(const QString &lines);
    // Another method was chosen or another threshold typed.
    void pickChoiceChanged(const PickChoice &choice);

private:
    PanelLabel *numberPanel(int n) const;
    void setPickMethod(PickMethod method);

    PageContext &m_context;
    QGroupBox *GroupBox5 = nullptr;
    QRadioButton *RadioButton1 = nullptr, *RadioButton2 = nullptr, *RadioButton3 = nullptr,
                 *RadioButton4 = nullptr;
    QLabel *Label1 = nullptr, *Label5 = nullptr, *Label7 = nullptr;
    SpinEdit *editAutoSelectDefault = nullptr, *editSelectRange = nullptr;
    QPushButton *btnAgainUpdate = nullptr, *btnBaseDef = nullptr;
    QGroupBox *groupDeleteNumber = nullptr;
    TabControl *TabControl1 = nullptr;
    QPushButton *btnUpdate = nullptr, *btnDeleteClear = nullptr;
};
