set(problems "")
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
    ${SOURCE_DIR}/app/*.cpp ${SOURCE_DIR}/app/*.h ${SOURCE_DIR}/model/*.cpp ${SOURCE_DIR}/model/*.h
    ${SOURCE_DIR}/geometry/*.cpp ${SOURCE_DIR}/geometry/*.h ${SOURCE_DIR}/dxf/*.cpp ${SOURCE_DIR}/dxf/*.h
    ${SOURCE_DIR}/entry/*.cpp ${SOURCE_DIR}/entry/*.h ${SOURCE_DIR}/coordlist/*.cpp ${SOURCE_DIR}/coordlist/*.h
    ${SOURCE_DIR}/sketch/*.cpp ${SOURCE_DIR}/sketch/*.h ${SOURCE_DIR}/report/*.cpp ${SOURCE_DIR}/report/*.h
    ${SOURCE_DIR}/plan/*.cpp ${SOURCE_DIR}/plan/*.h ${SOURCE_DIR}/base/*.cpp ${SOURCE_DIR}/base/*.h
    ${SOURCE_DIR}/format/*.cpp ${SOURCE_DIR}/format/*.h ${SOURCE_DIR}/cgxml/*.cpp ${SOURCE_DIR}/cgxml/*.h
    ${SOURCE_DIR}/cli/*.cpp ${SOURCE_DIR}/cli/*.h ${SOURCE_DIR}/scrivel/*.cpp ${SOURCE_DIR}/scrivel/*.h)
set(widgetIncludes "#include <(QtWidgets/)?(QWidget|QDialog|QMainWindow|QMessageBox|QFileDialog|QInputDialog|QApplication|QLabel|QPushButton|QTableView|QLineEdit|QMenu|QToolBar|QComboBox|QListWidget|QPrinter|QPrintPreviewDialog|QPrintDialog)>")
foreach(source ${sources})
    set(isUi FALSE)
    if(source MATCHES "/ui/")
        set(isUi TRUE)
    endif()
    file(STRINGS ${SOURCE_DIR}/${source} lines)
    foreach(line ${lines})
        if(NOT isUi AND NOT source STREQUAL "app/main.cpp" AND NOT source MATCHES "^scrivel/" AND line MATCHES "${widgetIncludes}")
            string(APPEND problems "  ${source}: widget include outside ui/: ${line}\n")
        endif()
        if(line MATCHES "QMessageBox|QFileDialog|QInputDialog" AND NOT source MATCHES "^base/ui/QtPrompter\\.")
            string(APPEND problems "  ${source}: dialog use outside the Qt prompter: ${line}\n")
        endif()
        # One Qt prompter, made where the program starts and handed down: a control that made
        # its own would show boxes a test cannot script.
        if(line MATCHES "QtPrompter[ (>]" AND NOT source STREQUAL "app/main.cpp" AND NOT source MATCHES "^base/ui/QtPrompter\\.")
            string(APPEND problems "  ${source}: a Qt prompter made outside app/main.cpp: ${line}\n")
        endif()
        # The shared captions come from the Prompter, so their words cannot drift apart.
        if(line MATCHES "\"(Eroare|Confirmare|Info)\"" AND NOT line MATCHES "^ *//" AND NOT source STREQUAL "base/Prompter.h")
            string(APPEND problems "  ${source}: caption literal instead of Prompter's: ${line}\n")
        endif()
    endforeach()
endforeach()
if(problems)
    message(FATAL_ERROR "Layering problems:\n${problems}")
endif()
list(LENGTH sources count)
message(STATUS "layering: ${count} sources checked")
