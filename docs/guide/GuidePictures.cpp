#include "docs/guide/GuidePictures.h"

#include <QApplication>
#include <stdexcept>

namespace {

// A code one character short, in the row the guide's example names.
constexpr int kShortCodeRow = 3;
constexpr const char* kShortCode = "12";

}  // namespace

TGuidePictures::TGuidePictures(const QDir& folder)
    : folder_(folder), modal_(std::make_shared<TPictureModal>(folder)) {
    TForm1Services services;
    services.SerialDriver = driver_;
    services.ListPorts = [](std::vector<TPortEntry>& ports) {
        ports = {{PortName, "USB-SERIAL CH340"}, {"COM4", {}}};
    };
    services.SettingsDirectory = settings_.path().toStdString();
    services.ProgramDirectory = settings_.path().toStdString();
    services.Modal = modal_;
    services.Clock = std::make_shared<TFakeClock>();
    form_ = std::make_unique<TForm1>(std::move(services));
}

void TGuidePictures::TakeAll() {
    form_->show();
    QApplication::processEvents();
    Start();
    PortBusy();
    Connected();
    CodeWarning();
}

void TGuidePictures::Save(QWidget& widget, const QString& fileName) const {
    QApplication::processEvents();
    const QString path = folder_.filePath(fileName);
    if (!widget.grab().save(path)) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

void TGuidePictures::Start() {
    Save(*form_, QStringLiteral("start.png"));
}

// Another program holds the port: the error box, and the panel stays disconnected.
void TGuidePictures::PortBusy() {
    driver_->SetOpenOutcome(PortName, TOpenOutcome::ooBusy);
    modal_->NameNext(QStringLiteral("port-busy.png"));
    form_->Button1.click();
    driver_->SetOpenOutcome(PortName, TOpenOutcome::ooOpened);
}

void TGuidePictures::Connected() {
    form_->Button1.click();
    if (!driver_->State().Open) {
        throw std::runtime_error("the simulated port did not open");
    }
    Save(*form_, QStringLiteral("connected.png"));
}

void TGuidePictures::CodeWarning() {
    form_->PageControl1.setCurrentWidget(&form_->TabSheet2);
    Save(*form_, QStringLiteral("codes.png"));
    form_->StringGrid2.SetCell(1, kShortCodeRow, kShortCode);
    modal_->NameNext(QStringLiteral("code-warning.png"));
    form_->Button7.click();
}
