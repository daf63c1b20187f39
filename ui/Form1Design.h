#pragma once

#include <QCoreApplication>
#include <QGridLayout>
#include <QVBoxLayout>

#include "ui/InputLimitValidator.h"

class TForm1;
struct TForm1Frame;
class TSettingsPageStore;

// The form file: every control of the window at its place, with its name, text, font, input
// limit, design value, tab stop and accessible name, and the window fitted to the screen. Made
// after every control and gone before them: it owns the layouts set on them, which go first.
class TForm1Design {
    Q_DECLARE_TR_FUNCTIONS(TForm1Design)

  public:
    TForm1Design(TForm1& form, TForm1Frame& frame, TSettingsPageStore& store);
    TForm1Design(const TForm1Design&) = delete;
    TForm1Design& operator=(const TForm1Design&) = delete;

  private:
    void BuildWindow();
    void FitToScreen();
    void BuildConnectionPanel();
    void BuildSettingsPage();
    void BuildSiteGroup();
    void BuildSimGroup(int sim);
    void BuildCodePage();
    void BuildJournalPage();
    void SetDesignValues();
    void SetTabOrder();
    void SetAccessibleNames();

    TForm1& form_;
    TForm1Frame& frame_;
    TSettingsPageStore& store_;

    // Nested layouts after the layouts that hold them, so that each is gone first.
    QGridLayout formLayout_;
    QVBoxLayout panelLayout_;
    QGridLayout settingsLayout_;
    QGridLayout siteLayout_;
    QGridLayout sim1Layout_;
    QGridLayout sim2Layout_;

    TInputLimitValidator codObjLimit_;
    TInputLimitValidator timePeriodLimit_;
    TInputLimitValidator localPort1Limit_;
    TInputLimitValidator localPort2Limit_;
    TInputLimitValidator edit6Limit_;
};
