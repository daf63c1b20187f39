#pragma once

#include <QDir>
#include <QTemporaryDir>
#include <memory>

#include "docs/guide/PictureModal.h"
#include "testing/FakeClock.h"
#include "testing/FakeSerialDriver.h"
#include "ui/Form1.h"

// The window at the moments the technician's guide shows, in the interface language installed,
// over a simulated port COM3 that opens at once and answers nothing: every picture is of the real
// window, so none can go stale.
class TGuidePictures {
  public:
    static constexpr const char* PortName = "COM3";

    explicit TGuidePictures(const QDir& folder);

    // start.png, port-busy.png, connected.png, codes.png and code-warning.png, in that order,
    // each step leaving the window as the next one needs it.
    void TakeAll();

  private:
    void Save(QWidget& widget, const QString& fileName) const;
    void Start();
    void PortBusy();
    void Connected();
    void CodeWarning();

    QDir folder_;
    QTemporaryDir settings_;
    std::shared_ptr<TFakeSerialDriver> driver_ = std::make_shared<TFakeSerialDriver>();
    std::shared_ptr<TPictureModal> modal_;
    std::unique_ptr<TForm1> form_;
};
