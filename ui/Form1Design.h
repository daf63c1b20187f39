#pragma once

#include <QGridLayout>
#include <QLineEdit>
#include <QObject>
#include <QVBoxLayout>
#include <functional>

#include "ui/InputLimitValidator.h"

// The form file. Form1Design.cpp lays out the window's controls: their places, names, texts,
// fonts, design values, tab order and accessible names, and the window's fit to the screen; being
// the form's own, those are TForm1's functions. This holds what it makes besides the controls, and
// the sizing it leaves to a page's first show. The window's last member: made after every control
// and gone before them, so that the layouts set on the controls go first.
struct TForm1Design final : QObject {
    // The line edits with an input limit.
    struct TLimitedEdits {
        QLineEdit& CodObj;
        QLineEdit& TimePeriod;
        QLineEdit& LocalPort1;
        QLineEdit& LocalPort2;
        QLineEdit& Edit6;
    };

    explicit TForm1Design(TLimitedEdits edits);

    // Runs the sizing of a page the window does not open on when the page is first shown: until
    // then nothing of it is seen, and its fonts and the sizes of its texts need not be looked up.
    // One page has it: the journal's, which has no tab.
    void SizeOnFirstShow(QWidget& page, std::function<void()> sizing);

    // Nested layouts after the layouts that hold them, so that each is gone first.
    QGridLayout FormLayout;
    QVBoxLayout PanelLayout;
    QGridLayout SettingsLayout;
    QGridLayout SiteLayout;
    QGridLayout Sim1Layout;
    QGridLayout Sim2Layout;

    TInputLimitValidator CodObjLimit;
    TInputLimitValidator TimePeriodLimit;
    TInputLimitValidator LocalPort1Limit;
    TInputLimitValidator LocalPort2Limit;
    TInputLimitValidator Edit6Limit;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QObject* sizedPage_ = nullptr;
    std::function<void()> pageSizing_;
};
