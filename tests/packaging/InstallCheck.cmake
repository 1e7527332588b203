# Installs the whole build into a fresh prefix and runs the installed lotmark-cli from there with
# a fresh home: the installed layout (settings and imports in the user's folders, shipped files in
# share/lotmark, libscrivel found through the relative RPATH), then the portable one.
# Called by ctest with -DBUILD_DIR= -DSOURCE_DIR= -DWORK_DIR=.
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
set(home ${WORK_DIR}/home)
file(MAKE_DIRECTORY ${home})

# The installed program must not borrow the build folder's library or the caller's folders.
set(ENV{HOME} ${home})
unset(ENV{XDG_CONFIG_HOME})
unset(ENV{XDG_DATA_HOME})
unset(ENV{LD_LIBRARY_PATH})

function(step)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${ARGN}\nfailed (${result}):\n${out}\n${err}")
    endif()
    set(step_output "${out}" PARENT_SCOPE)
endfunction()

function(expect_installed)
    foreach(relative ${ARGN})
        if(NOT EXISTS ${prefix}/${relative})
            message(FATAL_ERROR "${relative} was not installed")
        endif()
    endforeach()
endfunction()

# Runs `lotmark-cli paths` and checks each KEY=VALUE line given.
function(expect_paths)
    step(${prefix}/bin/lotmark-cli paths)
    foreach(line ${ARGN})
        string(FIND "${step_output}" "${line}\n" at)
        if(at EQUAL -1)
            message(FATAL_ERROR "lotmark-cli paths lacks ${line}:\n${step_output}")
        endif()
    endforeach()
endfunction()

step(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
expect_installed(bin/lotmark bin/lotmark-cli
    share/lotmark/Help/Manual.mht
    share/applications/lotmark.desktop share/mime/packages/lotmark.xml
    share/metainfo/ro.lotmark.Lotmark.metainfo.xml
    share/icons/hicolor/scalable/apps/lotmark.svg share/icons/hicolor/48x48/apps/lotmark.png
    share/man/man1/lotmark.1.gz share/man/man1/lotmark-cli.1.gz
    share/doc/lotmark/copyright share/doc/lotmark/samples/Teren-intravilan-Alba-Iulia.CP
    include/scrivel/RTFDoc.h)
foreach(table Judete Admin Localitati Strazi TipArtere TipSubAdm CtgFolTeren DestinatieTeren DestinatieCladire)
    expect_installed(share/lotmark/Data/${table}.DAT)
endforeach()

# Installed: nothing beside the program, everything the user writes under HOME.
step(${prefix}/bin/lotmark-cli --help)
expect_paths(layout=installed
    settings=${home}/.config/Lotmark/Lotmark.INI
    data=${prefix}/share/lotmark/Data
    import=${home}/.local/share/Lotmark/Data
    help=${prefix}/share/lotmark/Help/Manual.mht)
step(${prefix}/bin/lotmark-cli sheet ${prefix}/share/doc/lotmark/samples/Teren-intravilan-Alba-Iulia.CP
     -o ${WORK_DIR}/fisa.rtf)
file(READ ${WORK_DIR}/fisa.rtf rtf LIMIT 16)
string(FIND "${rtf}" "{\\rtf1" at)
if(NOT at EQUAL 0)
    message(FATAL_ERROR "the installed lotmark-cli wrote no RTF sheet")
endif()

# A nomenclature imported by the user is read in place of the shipped one.
step(${prefix}/bin/lotmark-cli nomenclature --siruta ${SOURCE_DIR}/data/nomenclature/siruta-demo.csv
     -o ${home}/.local/share/Lotmark/Data)
expect_paths(layout=installed data=${home}/.local/share/Lotmark/Data)

# The XDG variables move the user's folders.
set(ENV{XDG_CONFIG_HOME} ${WORK_DIR}/config)
set(ENV{XDG_DATA_HOME} ${WORK_DIR}/data)
expect_paths(settings=${WORK_DIR}/config/Lotmark/Lotmark.INI data=${prefix}/share/lotmark/Data
    import=${WORK_DIR}/data/Lotmark/Data)

# A Lotmark.INI beside the program makes the same tree a portable copy.
file(WRITE ${prefix}/bin/Lotmark.INI "[Setari]\n")
expect_paths(layout=portable settings=${prefix}/bin/Lotmark.INI data=${prefix}/bin/Data
    help=${prefix}/bin/Help/Manual.mht)
