#pragma once

#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/InputLimitValidator.h"

// The form file. Form1Design.cpp lays out the window's controls: their places, names, texts,
// fonts, design values, tab order and accessible names, and the window's fit to the screen; being
// the form's own, those are TForm1's functions. This holds what it makes besides the controls. The
// window's last member: made after every control and gone before them, so that the layouts set on
// the controls go first.
struct TForm1Design {
    // The line edits with an input limit.
    struct TLimitedEdits {
        QLineEdit& CodObj;
        QLineEdit& TimePeriod;
        QLineEdit& LocalPort1;
        QLineEdit& LocalPort2;
        QLineEdit& Edit6;
    };

    explicit TForm1Design(TLimitedEdits edits);

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
};
