# Helpers that keep each folder one target and each test folder one executable.

# vk_folder_library(<target> <folder> [QT] [LINK <lib>...])
# Every .cpp (and .qrc) directly in <folder> belongs to the library; QT runs moc and rcc on it.
function(vk_folder_library target folder)
    cmake_parse_arguments(ARG "QT" "" "LINK" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.h
        ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.qrc)
    # An empty folder still makes a valid library while its code is being written.
    set(anchor ${CMAKE_CURRENT_BINARY_DIR}/${target}_anchor.cpp)
    file(CONFIGURE OUTPUT ${anchor} CONTENT "// generated\n")
    add_library(${target} STATIC ${sources} ${anchor})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC ${ARG_LINK})
    if(ARG_QT)
        set_target_properties(${target} PROPERTIES AUTOMOC ON AUTORCC ON)
    endif()
endfunction()

# With KORB_PCH (the test command's and the demo's cold builds) the headers that nearly every file of a
# group reads are compiled once for the group. Its owner is an empty library that must have the same flags
# and definitions as every user: clang refuses a shared header built with other macros. Without the option
# every file reads its own includes, so a missing one shows in a developer build.
set(vk_standard_headers <algorithm> <cstdint> <cstdio> <filesystem> <fstream> <functional> <memory> <optional>
    <string> <string_view> <system_error> <vector>)
set(vk_widget_headers <QAction> <QApplication> <QEvent> <QKeyEvent> <QLabel> <QMenu> <QObject> <QPainter>
    <QPushButton> <QString> <QTimer> <QVBoxLayout> <QWidget> <filesystem> <functional> <memory> <string> <vector>)

# vk_shared_headers(<owner> LINK <lib>... HEADERS <header>... USERS <target>...)
function(vk_shared_headers owner)
    cmake_parse_arguments(ARG "" "" "LINK;HEADERS;USERS" ${ARGN})
    if(NOT KORB_PCH)
        return()
    endif()
    set(anchor ${CMAKE_CURRENT_BINARY_DIR}/${owner}_anchor.cpp)
    file(CONFIGURE OUTPUT ${anchor} CONTENT "// generated\n")
    add_library(${owner} OBJECT ${anchor})
    target_link_libraries(${owner} PRIVATE ${ARG_LINK})
    target_precompile_headers(${owner} PRIVATE ${ARG_HEADERS})
    foreach(user IN LISTS ARG_USERS)
        target_precompile_headers(${user} REUSE_FROM ${owner})
    endforeach()
endfunction()

# Test code is compiled for a quick build, not a quick run: no optimisation and line tables only (enough
# for a backtrace). With KORB_UNITY_TESTS (the test command's cold builds) the files of a folder go in a few
# combined units that read the Qt and GoogleTest headers once; without it, one edited file compiles alone.
function(vk_test_build_options target)
    if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        target_compile_options(${target} PRIVATE $<$<CONFIG:RelWithDebInfo,Release>:-O0 -g1>)
    endif()
    if(KORB_UNITY_TESTS)
        set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
        # gcc takes a file included into the combined unit for a header, and a test fixture in its
        # anonymous namespace for a type that could clash across units.
        if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
            target_compile_options(${target} PRIVATE -Wno-subobject-linkage)
        endif()
    endif()
endfunction()

function(vk_test_definitions target)
    target_compile_definitions(${target} PRIVATE
        KORB_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
        KORB_SIM_PATH="$<TARGET_FILE:korb-sim>"
        KORB_BINARY_DIR="${PROJECT_BINARY_DIR}")
endfunction()

# vk_test_folder(<name> [QT] LINK <lib>...)
# One GoogleTest executable for every .cpp in tests/<name>; QT runs it offscreen with a QApplication.
function(vk_test_folder name)
    cmake_parse_arguments(ARG "QT" "" "LINK" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp)
    if(NOT sources)
        return()
    endif()
    set(exe test_${name})
    add_executable(${exe} ${sources})
    target_link_libraries(${exe} PRIVATE vk_test_support ${ARG_LINK} GTest::gmock)
    vk_test_definitions(${exe})
    if(ARG_QT)
        target_link_libraries(${exe} PRIVATE vk_test_qtmain Qt6::Test)
        set_target_properties(${exe} PROPERTIES AUTOMOC ON)
    else()
        target_link_libraries(${exe} PRIVATE GTest::gtest_main)
    endif()
    vk_test_build_options(${exe})
    add_dependencies(${exe} korb-sim)
    add_test(NAME ${name} COMMAND ${exe})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;SDL_AUDIODRIVER=disk")
endfunction()
