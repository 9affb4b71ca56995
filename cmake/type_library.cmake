# A type library compiled by widl from an IDL file, for tests that drive
# ITypeInfo::Invoke. widl comes with mingw-w64-tools; the IDL headers it
# imports (oaidl.idl) with libwine-dev; stdole2.tlb with Wine.
find_program(PLOTMATE_WIDL NAMES x86_64-w64-mingw32-widl widl NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_path(PLOTMATE_IDL_INCLUDE oaidl.idl PATHS /usr/include/wine/wine/windows
  NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_path(PLOTMATE_STDOLE_DIR stdole2.tlb
  PATHS /usr/lib/x86_64-linux-gnu/wine/x86_64-windows /usr/lib/wine/x86_64-windows
  NO_CMAKE_FIND_ROOT_PATH REQUIRED)

function(plotmate_type_library target idl output)
  add_custom_command(OUTPUT ${output}
    COMMAND ${PLOTMATE_WIDL} --win64 -t -I${PLOTMATE_IDL_INCLUDE} -L${PLOTMATE_STDOLE_DIR}
            -o ${output} ${idl}
    DEPENDS ${idl}
    COMMENT "widl: ${output}")
  add_custom_target(${target} DEPENDS ${output})
endfunction()
