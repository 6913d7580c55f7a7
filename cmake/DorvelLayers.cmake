# The layers of Dorvel. Each layer is a static library of its own that links
# only the layers below it; the folders it is built from are registered here,
# so that the test `layers` (cmake/CheckLayers.cmake) can hold every include
# of a layer's files against the libraries that layer links.

# dorvel_add_layer(name source...): a layer library built from the current
# folder (its subfolders included, unless one registers itself).
function(dorvel_add_layer name)
    add_library(${name} STATIC ${ARGN})
    target_link_libraries(${name} PUBLIC dorvel_common_cfg)
    dorvel_layer_folder(${name})
endfunction()

# dorvel_layer_folder(name): the current folder joins layer `name` (a layer
# may span several folders, as the window does).
function(dorvel_layer_folder name)
    file(RELATIVE_PATH folder "${PROJECT_SOURCE_DIR}" "${CMAKE_CURRENT_SOURCE_DIR}")
    set_property(TARGET ${name} APPEND PROPERTY DORVEL_LAYER_FOLDERS "${folder}")
    get_property(layers GLOBAL PROPERTY DORVEL_LAYERS)
    if(NOT name IN_LIST layers)
        set_property(GLOBAL APPEND PROPERTY DORVEL_LAYERS ${name})
    endif()
endfunction()

# Every layer below `name`: the layers it links, directly or through another
# library (such as the INTERFACE library dorvel_core).
function(dorvel_layers_below name out)
    get_property(layers GLOBAL PROPERTY DORVEL_LAYERS)
    set(below)
    set(seen ${name})
    set(pending ${name})
    while(pending)
        list(POP_FRONT pending current)
        get_target_property(type ${current} TYPE)
        if(type STREQUAL "INTERFACE_LIBRARY")
            get_target_property(links ${current} INTERFACE_LINK_LIBRARIES)
        else()
            get_target_property(links ${current} LINK_LIBRARIES)
        endif()
        foreach(link IN LISTS links)
            if(NOT TARGET ${link} OR link IN_LIST seen)
                continue()
            endif()
            get_target_property(imported ${link} IMPORTED)
            if(NOT imported)
                list(APPEND seen ${link})
                list(APPEND pending ${link})
                if(link IN_LIST layers)
                    list(APPEND below ${link})
                endif()
            endif()
        endforeach()
    endwhile()
    set(${out} ${below} PARENT_SCOPE)
endfunction()

# Writes the table the check reads: each layer, its folders and the layers
# below it.
function(dorvel_write_layer_table file)
    get_property(layers GLOBAL PROPERTY DORVEL_LAYERS)
    set(text "# Written by cmake/DorvelLayers.cmake: each layer, its folders and the layers below it.\n")
    string(APPEND text "set(DORVEL_LAYERS \"${layers}\")\n")
    foreach(layer IN LISTS layers)
        get_target_property(folders ${layer} DORVEL_LAYER_FOLDERS)
        dorvel_layers_below(${layer} below)
        string(APPEND text "set(DORVEL_LAYER_FOLDERS_${layer} \"${folders}\")\n")
        string(APPEND text "set(DORVEL_LAYER_BELOW_${layer} \"${below}\")\n")
    endforeach()
    file(WRITE "${file}" "${text}")
endfunction()
