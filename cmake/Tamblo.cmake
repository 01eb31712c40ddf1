# Every folder is one library built from the sources it holds, so a new window
# is a new file pair and nothing else.
function(tamblo_folder_library name)
    cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/*.h
        ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
    if(sources)
        add_library(${name} STATIC ${sources})
        target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
        target_link_libraries(${name} PUBLIC tamblo_options ${ARG_LINKS})
    else()
        # A folder whose windows are not written yet still takes its place in the chain.
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
        target_link_libraries(${name} INTERFACE tamblo_options ${ARG_LINKS})
    endif()
endfunction()

# One test executable per area; GUI tests run offscreen. Labels: core, gui, server.
function(tamblo_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LABELS;LINKS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    # A test links the libraries it names; by default the whole program.
    if(NOT ARG_LINKS)
        set(ARG_LINKS tamblo_app)
    endif()
    target_link_libraries(${name} PRIVATE tamblo_options tamblo_testsupport Qt6::Test ${ARG_LINKS})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        LABELS "${ARG_LABELS}"
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
        TIMEOUT 600)
endfunction()
