# The desktop program `belvaro` (Qt 6 Widgets). The window and its dialogs live in
# the static library belvaro_gui so the Qt tests drive the same code; the
# command-line program never links it.
set(belvaro_gui_fuentes
  Aplicacion.cpp Ayuda.cpp ControlCursos.cpp Dialogos.cpp InterlocutorVentana.cpp
  LineaOrdenes.cpp MainForm.cpp ModeloCursos.cpp NavegadorRegistros.cpp PanelDegradado.cpp
  RejillaCursos.cpp RespuestasEntorno.cpp)
list(TRANSFORM belvaro_gui_fuentes PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)

add_library(belvaro_gui STATIC ${belvaro_gui_fuentes})
set_target_properties(belvaro_gui PROPERTIES AUTOMOC ON)
target_link_libraries(belvaro_gui PUBLIC belvaro_core Qt6::Widgets)

add_executable(belvaro ${CMAKE_CURRENT_SOURCE_DIR}/main.cpp)
target_link_libraries(belvaro PRIVATE belvaro_gui)

# Help: the HTML pages beside the executable (folder "ayuda"), and SENECA.chm
# compiled from them when chmcmd (Debian fp-utils) is there.
set(belvaro_ayuda_fuente ${CMAKE_CURRENT_SOURCE_DIR}/ayuda)
file(GLOB belvaro_ayuda_archivos CONFIGURE_DEPENDS ${belvaro_ayuda_fuente}/*)
set(belvaro_ayuda_destino ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/ayuda)
set(belvaro_ayuda_salidas ${belvaro_ayuda_destino}/index.html)
find_program(BELVARO_CHMCMD chmcmd)
if(BELVARO_CHMCMD)
  list(APPEND belvaro_ayuda_salidas ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/SENECA.chm)
  set(belvaro_compilar_chm
    COMMAND ${CMAKE_COMMAND} -E chdir ${belvaro_ayuda_destino} ${BELVARO_CHMCMD} SENECA.hhp
    COMMAND ${CMAKE_COMMAND} -E rename ${belvaro_ayuda_destino}/SENECA.chm
            ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/SENECA.chm)
else()
  message(STATUS "chmcmd not found: the help is installed as HTML pages only")
endif()
add_custom_command(
  OUTPUT ${belvaro_ayuda_salidas}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${belvaro_ayuda_fuente} ${belvaro_ayuda_destino}
  ${belvaro_compilar_chm}
  DEPENDS ${belvaro_ayuda_archivos}
  COMMENT "Help pages and SENECA.chm"
  VERBATIM)
add_custom_target(belvaro_ayuda DEPENDS ${belvaro_ayuda_salidas})
add_dependencies(belvaro belvaro_ayuda)
