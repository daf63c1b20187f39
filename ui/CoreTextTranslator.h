#pragma once

#include <QString>
#include <QTranslator>

#include "language/Catalogue.h"

// The texts the core libraries hand to the window, in the interface language: their messages,
// the code tables' row names, the journal's events, the fields' names and the port descriptions.
// Qt's translation system asks it for the context "Core"; the texts come from the core's own
// catalogue, which irven-cli shares, so each translation is written once.
class TCoreTextTranslator final : public QTranslator {
  public:
    static constexpr const char* Context = "Core";

    explicit TCoreTextTranslator(TCatalogue catalogue) : catalogue_(std::move(catalogue)) {}

    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override;
    bool isEmpty() const override { return false; }

  private:
    TCatalogue catalogue_;
};

// A core library's text as the window shows it.
QString TranslateCoreText(const QString& text);
