# Layering rules checked on the sources (cmake -DSOURCE_DIR=<tree> -P CheckLayers.cmake):
# - each folder includes only folders below it in the table (or of its own rank, never both ways);
# - nothing but the program's own folders includes app/, and scrivel/ includes nothing of ours;
# - widgets only under ui/ folders, and a non-ui source includes no ui/ header;
# - message boxes, file dialogs and text prompts only in the Qt prompter, made once in main.cpp;
# - the shared captions only from the Prompter.

cmake_minimum_required(VERSION 3.25)

# Rank of each folder: a folder may include folders of a lower rank. Folders of one rank are
# siblings: one may include another, but not the other way round too.
set(ranks
    base 0
    model 1
    geometry 2
    format 3
    dxf 4 entry 4 coordlist 4 sketch 4
    report 5 plan 5 cgxml 5
    app 6
    cli 7)
set(folders "")
set(index 0)
list(LENGTH ranks count)
while(index LESS count)
    list(GET ranks ${index} folder)
    math(EXPR next "${index} + 1")
    list(GET ranks ${next} rank)
    set(rank_${folder} ${rank})
    list(APPEND folders ${folder})
    math(EXPR index "${index} + 2")
endwhile()

set(patterns "")
foreach(folder ${folders} scrivel)
    list(APPEND patterns ${SOURCE_DIR}/${folder}/*.cpp ${SOURCE_DIR}/${folder}/*.h)
endforeach()
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${patterns})

set(problems "")
set(siblingEdges "")
set(widgetIncludes "#include <(QtWidgets/)?(QWidget|QDialog|QMainWindow|QMessageBox|QFileDialog|QInputDialog|QApplication|QLabel|QPushButton|QTableView|QLineEdit|QMenu|QToolBar|QComboBox|QListWidget|QPrinter|QPrintPreviewDialog|QPrintDialog)>")
foreach(source ${sources})
    string(REGEX MATCH "^[^/]+" from "${source}")
    set(isUi FALSE)
    if(source MATCHES "/ui/")
        set(isUi TRUE)
    endif()
    file(STRINGS ${SOURCE_DIR}/${source} lines REGEX "#include|QMessageBox|QFileDialog|QInputDialog|QtPrompter|\"(Eroare|Confirmare|Info)\"")
    foreach(line ${lines})
        if(NOT isUi AND NOT source STREQUAL "app/main.cpp" AND NOT from STREQUAL "scrivel" AND line MATCHES "${widgetIncludes}")
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
        if(NOT line MATCHES "^[ \t]*#include \"([a-z]+)/([^\"]*)\"")
            continue()
        endif()
        set(to ${CMAKE_MATCH_1})
        set(path ${CMAKE_MATCH_2})
        if(from STREQUAL "scrivel")
            if(NOT to STREQUAL "scrivel")
                string(APPEND problems "  ${source}: Scrivel includes nothing of Lotmark: ${line}\n")
            endif()
            continue()
        endif()
        if(NOT isUi AND NOT source STREQUAL "app/main.cpp" AND path MATCHES "^ui/")
            string(APPEND problems "  ${source}: a source outside ui/ includes a ui/ header: ${line}\n")
        endif()
        if(to STREQUAL from OR NOT DEFINED rank_${to})
            continue()
        endif()
        if(rank_${to} GREATER rank_${from})
            string(APPEND problems "  ${source}: ${from}/ includes ${to}/, which is above it: ${line}\n")
        elseif(rank_${to} EQUAL rank_${from})
            list(APPEND siblingEdges "${from}>${to}")
        endif()
    endforeach()
endforeach()
list(REMOVE_DUPLICATES siblingEdges)
foreach(edge ${siblingEdges})
    string(REPLACE ">" ";" pair "${edge}")
    list(GET pair 0 from)
    list(GET pair 1 to)
    if("${to}>${from}" IN_LIST siblingEdges AND from STRLESS to)
        string(APPEND problems "  ${from}/ and ${to}/ include each other\n")
    endif()
endforeach()
if(problems)
    message(FATAL_ERROR "Layering problems:\n${problems}")
endif()
list(LENGTH sources count)
message(STATUS "layering: ${count} sources checked")
