#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>

#include "core/host/IDocumentSettings.h"
#include "core/host/IMessageSink.h"
#include "gui/forms/ICommandTarget.h"

namespace korvanta::gui {

// The frame's "&Regressionsanalyse": runs the regression dialog modally in the user's units.
class CRegressionCommandTarget final : public ICommandTarget {
public:
    CRegressionCommandTarget(QWidget* parent, const IDocumentSettings& settings, IMessageSink& messages)
        : parent_(parent), settings_(settings), messages_(messages)
    {
    }

    bool OnCommand(uint32_t id) override;
    // The regression dialog, modal; with a path it opens that regression file first.
    void Run(const QString& file = {});

private:
    QWidget* parent_;
    const IDocumentSettings& settings_;
    IMessageSink& messages_;
};

}  // namespace korvanta::gui
