# The web test writer, and the templates of its pages and scripts, embedded
# as the resource ":/web/...".
target_sources(dorvel_webtest PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/AccessibleNames.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AccessibleTexts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ControlPage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CopyButtonImages.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CreateWebPages.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ElementIds.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ExportWrites.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ExportedFiles.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FlowPages.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MediaNames.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FeedbackPages.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PageScript.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QuestionPage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ScriptNameTable.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SingleFileTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StartPages.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WebTemplates.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WebTestModel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WebText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WriteTestPages.cpp
)

file(GLOB_RECURSE dorvel_web_templates CONFIGURE_DEPENDS
    RELATIVE "${CMAKE_CURRENT_LIST_DIR}/web"
    "${CMAKE_CURRENT_LIST_DIR}/web/*.htm"
    "${CMAKE_CURRENT_LIST_DIR}/web/*.js"
    "${CMAKE_CURRENT_LIST_DIR}/web/*.css")
list(TRANSFORM dorvel_web_templates PREPEND "${CMAKE_CURRENT_LIST_DIR}/web/")
qt_add_resources(dorvel_webtest "dorvel_web_templates"
    PREFIX "/web"
    BASE "${CMAKE_CURRENT_LIST_DIR}/web"
    FILES ${dorvel_web_templates})

# The flowing pages mark with the shared marking script when the tree has it
# (marking/marking.js, beside the C++ it mirrors), else with their stand-in.
set(dorvel_shared_marking "${CMAKE_CURRENT_LIST_DIR}/../marking/marking.js")
if(EXISTS "${dorvel_shared_marking}")
    set_source_files_properties("${dorvel_shared_marking}" PROPERTIES QT_RESOURCE_ALIAS "flow/marking.js")
    qt_add_resources(dorvel_webtest "dorvel_shared_marking"
        PREFIX "/web"
        FILES "${dorvel_shared_marking}")
endif()
