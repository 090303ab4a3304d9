# The files setup.exe carries and installs. The product image and the rich-edit
# library are inputs of the build; the uninstaller is the one this build makes.
set(MORVALEN_PRODUCT_IMAGE "" CACHE FILEPATH
    "Program carried as MORVALEN/EXE and installed as Morvalen.exe (empty: the stand-in product)")
set(MORVALEN_RICHED32_DLL "" CACHE FILEPATH
    "Library carried as RICHED32/DLL and installed as riched32.dll (empty: the stand-in library)")

set(MV_CARRIED_TARGETS uninstall)
if(MORVALEN_PRODUCT_IMAGE)
  set(MV_CARRIED_PRODUCT ${MORVALEN_PRODUCT_IMAGE})
else()
  set(MV_CARRIED_PRODUCT ${MV_STANDIN_PRODUCT})
  list(APPEND MV_CARRIED_TARGETS standin_product)
endif()
if(MORVALEN_RICHED32_DLL)
  set(MV_CARRIED_RICHED32 ${MORVALEN_RICHED32_DLL})
else()
  set(MV_CARRIED_RICHED32 ${MV_STANDIN_RICHED32})
  list(APPEND MV_CARRIED_TARGETS standin_riched32)
endif()
set(MV_CARRIED_UNINSTALLER ${CMAKE_BINARY_DIR}/uninstall.exe)

set(MV_CARRIED_RC ${CMAKE_BINARY_DIR}/carried_files.rc)
file(WRITE ${MV_CARRIED_RC}.in
  "MORVALEN EXE \"@MV_CARRIED_PRODUCT@\"\nUNINSTALL EXE \"@MV_CARRIED_UNINSTALLER@\"\nRICHED32 DLL \"@MV_CARRIED_RICHED32@\"\n")
configure_file(${MV_CARRIED_RC}.in ${MV_CARRIED_RC} @ONLY)
# windres reads the files by path, which no dependency scanner sees: a changed input is
# embedded again on the next build. Other folders that compile the script set this too.
set(MV_CARRIED_INPUTS ${MV_CARRIED_PRODUCT} ${MV_CARRIED_RICHED32} ${MV_CARRIED_UNINSTALLER})
set_source_files_properties(${MV_CARRIED_RC} PROPERTIES OBJECT_DEPENDS "${MV_CARRIED_INPUTS}")
