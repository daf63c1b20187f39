#include "ui/HandlerRules.h"

#include <exception>
#include <optional>

#include "protocol/ECodeTableInvalid.h"
#include "ui/CoreTextTranslator.h"

void THandlerRules::Run(const std::function<void()>& body) {
    if (busy_) {
        return;
    }
    busy_ = true;
    std::optional<QString> error;
    std::optional<QString> warning;
    try {
        body();
    } catch (const ECodeTableInvalid& invalid) {
        warning = TranslateCoreText(QString::fromUtf8(invalid.what()));
    } catch (const std::exception& failure) {
        error = TranslateCoreText(QString::fromUtf8(failure.what()));
    } catch (...) {
        error = tr("Неизвестная ошибка");
    }
    End();
    if (warning) {
        window_.ShowWarning(*warning);
    }
    if (error) {
        window_.ShowError(*error);
    }
    if (window_.Ended) {
        window_.Ended();
    }
    if (closeHeld_) {
        closeHeld_ = false;
        window_.Close();
    }
}

void THandlerRules::End() {
    busy_ = false;
    if (syncCallsHeld_) {
        syncCallsHeld_ = false;
        SyncCallsWaiting();
    }
}

void THandlerRules::SyncCallsWaiting() {
    if (busy_) {
        syncCallsHeld_ = true;
        return;
    }
    window_.ServiceSyncCalls();
}

bool THandlerRules::CloseNow() {
    if (busy_) {
        closeHeld_ = true;
        return false;
    }
    return true;
}
