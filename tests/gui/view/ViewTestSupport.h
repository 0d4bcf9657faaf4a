#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPrinter>
#include <QWidget>

#include <memory>

#include "gui/forms/CTemplateLayout.h"
#include "gui/view/CKorvantaView.h"
#include "gui/view/TwoStationFormTemplate.h"
#include "tests/core/view/ViewModelTestSupport.h"

namespace korvanta::test {

// The two-station form on a document whose comms the test plays, with the units of the kit
// present and a frame that records what it was asked.
struct ViewFormRig {
    ViewFormRig()
    {
        doc.link.UpdateUnitPresence(15, 15, 15);
        view = std::make_unique<gui::CKorvantaView>(*doc.document, doc.link, host, doc.messages, doc.comms, printer);
        view->InitialUpdate();
        view->StatusPollTick();
    }

    template <typename T = QWidget>
    T* Control(int id) const
    {
        return view->findChild<T*>(gui::CTemplateLayout::ControlName(id));
    }
    QString TextOf(int id) const
    {
        if (auto* label = Control<QLabel>(id)) {
            return label->text();
        }
        if (auto* button = Control<QAbstractButton>(id)) {
            return button->text();
        }
        return {};
    }
    void Click(int id) { Control<QAbstractButton>(id)->click(); }
    void Key(int key, int onControl)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(Control(onControl), &press);
    }
    void ClickGraph(int x)
    {
        QWidget* graph = Control(gui::view101::kGraph);
        const QPointF at(x, graph->height() / 2);
        QMouseEvent press(QEvent::MouseButtonPress, at, graph->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(graph, &press);
    }

    void LayPipe(float length = 200.0f)
    {
        PipeSections pipe{};
        pipe[0] = doctest::Section(2, length, 1000.0f);
        doc.document->Edit().ApplyPipeData(pipe);
    }
    void Deliver(const DataBlockRecord& block)
    {
        doc.link.StoreDataBlock(block);
        doc.link.SetDataBlockReady(true);
        doc.document->OnBlockReady();
    }
    // START, `pairs` pairs of the simulated leak, and STOP unless told to keep measuring.
    void Measure(int pairs = 6, bool stop = true, double snrDb = 6.0)
    {
        Click(gui::view101::kStartStop);
        for (const DataBlockRecord& block : viewtest::ViewRig::Blocks(pairs, viewtest::kLeakDelay, snrDb)) {
            Deliver(block);
        }
        if (stop) {
            Click(gui::view101::kStartStop);
        }
    }

    doctest::DocumentRig doc;
    viewtest::RecordingHost host;
    QPrinter printer{QPrinter::HighResolution};
    std::unique_ptr<gui::CKorvantaView> view;
};

}  // namespace korvanta::test
