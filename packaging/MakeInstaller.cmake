# Writes the installer from the files CPack has staged, one folder per component: a section
# per component that installs its files, and one macro that removes all of them, so that the
# uninstaller deletes exactly what an installer of this version can put there.
# Run by CPack's External generator.

find_program(MAKENSIS makensis)
if(NOT MAKENSIS)
    message(FATAL_ERROR "makensis not found: install NSIS (Debian: apt-get install nsis)")
endif()

set(nsh "")
set(remove_files "")
set(remove_dirs "")
set(descriptions "")
foreach(component ${CPACK_COMPONENTS_ALL})
    set(stage ${CPACK_TEMPORARY_DIRECTORY}/${component})
    file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${stage} ${stage}/*)
    list(SORT files)
    if(component STREQUAL "main")
        string(APPEND nsh "Section \"!$(Component_${component})\" Section_${component}\n")
        string(APPEND nsh "    SectionIn RO\n")
    else()
        string(APPEND nsh "Section \"$(Component_${component})\" Section_${component}\n")
    endif()
    set(out_dir "-")
    foreach(file ${files})
        get_filename_component(dir ${file} DIRECTORY)
        string(REPLACE "/" "\\" win_file "${file}")
        if(NOT "${dir}" STREQUAL "${out_dir}")
            set(out_dir "${dir}")
            string(REPLACE "/" "\\" win_dir "\\${dir}")
            if(NOT dir)
                set(win_dir "")
            endif()
            string(APPEND nsh "    SetOutPath \"$INSTDIR${win_dir}\"\n")
        endif()
        string(APPEND nsh "    File \"${stage}/${file}\"\n")
        string(APPEND remove_files "    Delete \"$INSTDIR\\${win_file}\"\n")
        # Every folder on the way, deepest first below, so that emptied folders go too.
        while(dir)
            list(APPEND remove_dirs ${dir})
            get_filename_component(dir ${dir} DIRECTORY)
        endwhile()
    endforeach()
    string(APPEND nsh "SectionEnd\n\n")
    string(APPEND descriptions
           "    !insertmacro MUI_DESCRIPTION_TEXT \${Section_${component}} $(Describe_${component})\n")
endforeach()

list(REMOVE_DUPLICATES remove_dirs)
list(SORT remove_dirs)
list(REVERSE remove_dirs)
string(APPEND nsh "!macro RemoveInstalledFiles\n${remove_files}")
foreach(dir ${remove_dirs})
    string(REPLACE "/" "\\" win_dir "${dir}")
    string(APPEND nsh "    RMDir \"$INSTDIR\\${win_dir}\"\n")
endforeach()
string(APPEND nsh "!macroend\n\n")
string(APPEND nsh "!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN\n${descriptions}")
string(APPEND nsh "!insertmacro MUI_FUNCTION_DESCRIPTION_END\n")

set(files_nsh ${CPACK_TOPLEVEL_DIRECTORY}/InstallerFiles.nsh)
file(WRITE ${files_nsh} "${nsh}")

set(installer ${CPACK_TOPLEVEL_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}-setup.exe)
execute_process(
    COMMAND ${MAKENSIS} -V2 -WX -DVERSION=${CPACK_PACKAGE_VERSION} -DOUTFILE=${installer}
            -DICON=${CPACK_KELVO_INSTALLER_ICON} "-DCOPYRIGHT=${CPACK_KELVO_COPYRIGHT}"
            -DFILES=${files_nsh} ${CPACK_KELVO_INSTALLER_SCRIPT}
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "makensis failed (${status}) on ${CPACK_KELVO_INSTALLER_SCRIPT}")
endif()
set(CPACK_EXTERNAL_BUILT_PACKAGES ${installer})
