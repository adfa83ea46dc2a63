// Pictures of every window of the desktop program for the documentation:  heatnet_window_pictures <folder>
// Run under a display of 1024x768 or more (a virtual one will do): a smaller one narrows message boxes.
#include <iostream>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include "app/application_setup.h"
#include "app/desktop_program.h"
#include "app/entry_windows/message_box_dialogs.h"
#include "app/entry_windows/network_map_window.h"
#include "app/results/pressure_plot_view.h"
#include "app/results/recording_interaction.h"
#include "app/results/result_table.h"
#include "app/table_editor/table_document.h"
#include "app/table_editor/table_network_map.h"
#include "calculation/program_directory.h"
#include "data/base_data_file.h"
#include "tools/network_generator.h"
#include "tools/quiet_interaction.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) return std::cerr << "usage: heatnet_window_pictures <folder>\n", 2;
    const QDir pictures(QDir(QString::fromLocal8Bit(argv[1])).absolutePath());
    const auto photograph = [&](QWidget* window, const char* name) {
        window->show();
        for (int round = 0; round < 5; ++round) QApplication::processEvents();
        if (!window->grab().save(pictures.filePath(name))) std::cerr << "cannot write " << name << '\n';
    };
    const auto press = [](const QWidget* w, const char* name) { w->findChild<QPushButton*>(name)->click(); };
    heatnet::PrepareApplication(application);
    QDir::setCurrent(HEATNET_SOURCE_DIR "/examples");  // the picker opens on the current folder

    heatnet::MessageBoxDialogs dialogs;
    heatnet::DesktopProgram program(dialogs, [](const std::string&, const heatnet::EditorFailure&) {});
    heatnet::Form1& form1 = program.MainWindow();
    heatnet::EntryWindows& entries = program.Entries();
    photograph(&form1, "window-form1.png");
    QTimer::singleShot(0, [&] {  // the help box, closed once photographed
        photograph(QApplication::activeModalWidget(), "window-help.png");
        QApplication::activeModalWidget()->close();
    });
    press(&form1, "Command2");
    press(&form1, "Command3");
    auto* files = form1.Picker()->findChild<QListWidget*>("filList");
    files->setCurrentItem(files->findItems("small_tree.TXT", Qt::MatchExactly)[0]);
    photograph(form1.Picker(), "window-hlwj.png");
    press(form1.Picker(), "cmdSearch");
    photograph(entries.BasicDataWindow(), "window-srsj0.png");
    press(entries.BasicDataWindow(), "Command4");
    press(entries.PipeSegmentWindow(), "Command1");
    photograph(entries.PipeSegmentWindow(), "window-srsj.png");
    press(entries.BasicDataWindow(), "Command5");
    photograph(entries.NodeLoadWindow(), "window-fhsr.png");
    photograph(heatnet::MakeCancelTryContinueBox(" 3节点负荷没有输入", "确认").get(), "window-check.png");

    // The table editor (on another network: the fill-in holds small_tree.TXT),
    // one segment end typed that no load names, so the cells and the problem
    // list show the check.
    program.OpenInTableEditor("out_of_order.TXT");
    heatnet::TableEditorWindow* editor = program.TableEditors().Windows().value(0);
    if (!editor) return std::cerr << "the table editor did not open\n", 1;
    editor->Document().SetCell(heatnet::Grid::kSegments, 0, 0, "105");
    editor->GoToSegmentRow(3);  // the session's own selection, away from the marked cell
    editor->resize(1200, 520);
    photograph(editor, "window-table-editor.png");
    // Its map before calculating: the segment end no load names drawn red and listed.
    heatnet::OpenNetworkMap(*editor);
    photograph(editor->findChild<heatnet::NetworkMapWindow*>(), "window-map-faults.png");
    editor->Document().UndoStack().undo();
    editor->close();

    // The results window of a generated 500-segment network, the way from the
    // source to the farthest node off the main line highlighted.
    const QTemporaryDir scratch;
    const std::string network = QDir(scratch.path()).filePath("network500.TXT").toStdString();
    heatnet::WriteBaseDataFile(network, heatnet::GenerateNetwork({.segments = 500, .seed = 7}));
    heatnet::QuietInteraction quiet;
    heatnet::RecordingInteraction recording(quiet);
    heatnet::ResultsWindow results(heatnet::RunHydraulicCalculation(network, recording, heatnet::ProgramDirectory()),
                                   recording.Transcript(), [](const std::string&) {});
    heatnet::PressurePlotView* plot = results.Plot();
    const auto& nodes = plot->Plot().nodes;
    const auto offMain = [](const heatnet::PlotNode& node) { return node.mainLine ? 0 : node.distance; };
    plot->HighlightNode(int(std::ranges::max_element(nodes, {}, offMain) - nodes.begin()));
    results.resize(1200, 700);
    photograph(&results, "window-results-plot.png");
    results.Tabs()->setCurrentIndex(1);
    photograph(&results, "window-results-nodes.png");
    results.Tabs()->setCurrentIndex(2);
    results.Segments()->sortByColumn(8, Qt::DescendingOrder);  // 比摩阻, the marked rows on top
    results.Segments()->selectRow(3);
    photograph(&results, "window-results-segments.png");

    // 管网图 of a tree, a looped network (by the loss against its limit) and a
    // 1400-segment tree, each laid out from its connections alone.
    const auto map = [&](const heatnet::NetworkRecipe& recipe, int quantity, const char* name) {
        const std::string file = QDir(scratch.path()).filePath(QString(name) + ".TXT").toStdString();
        heatnet::WriteBaseDataFile(file, heatnet::GenerateNetwork(recipe));
        heatnet::RecordingInteraction steps(quiet);
        heatnet::ResultsWindow window(heatnet::RunHydraulicCalculation(file, steps, heatnet::ProgramDirectory()),
                                      steps.Transcript(), [](const std::string&) {});
        window.Tabs()->setCurrentIndex(3);
        window.findChild<QComboBox*>("quantity")->setCurrentIndex(quantity);
        window.resize(1200, 800);
        photograph(&window, name);
    };
    map({.segments = 60, .seed = 3}, 0, "window-results-map-tree.png");
    map({.segments = 80, .seed = 5, .loopSegments = 8}, 1, "window-results-map-rings.png");
    map({.segments = 1400, .seed = 7}, 3, "window-results-map-1400.png");
}
