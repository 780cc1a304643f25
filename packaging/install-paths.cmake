# Runs while installing (from cmake_install.cmake): writes the files that name
# installed paths, the desktop entry (the launcher) and the manual page (the
# samples), for the prefix installed to, so that `cmake --install --prefix`
# and cpack get paths that exist, not the configured ones. The staging folder
# lies in the destination, so no install writes into the build folder and
# installs to different places never share it.
#
# Set before: kalimbo_templates (the packaging sources), kalimbo_libexecdir,
# kalimbo_datadir, kalimbo_mandir (GNUInstallDirs, relative or absolute),
# kalimbo_gzip, PROJECT_VERSION.

function(kalimbo_installed_path out dir)
  if(IS_ABSOLUTE "${dir}")
    set(${out} "${dir}" PARENT_SCOPE)
  else()
    set(${out} "${CMAKE_INSTALL_PREFIX}/${dir}" PARENT_SCOPE)
  endif()
endfunction()

kalimbo_installed_path(datadir "${kalimbo_datadir}")
kalimbo_installed_path(mandir "${kalimbo_mandir}")
kalimbo_installed_path(KALIMBO_LAUNCHER "${kalimbo_libexecdir}/kalimbo/kalimbo-start")
kalimbo_installed_path(KALIMBO_FULL_SAMPLES "${kalimbo_datadir}/kalimbo/samples")

set(staging "$ENV{DESTDIR}${datadir}/kalimbo/.installing")
file(REMOVE_RECURSE "${staging}")
configure_file("${kalimbo_templates}/de.kalimbo.Kalimbo.desktop.in"
               "${staging}/de.kalimbo.Kalimbo.desktop" @ONLY)
configure_file("${kalimbo_templates}/kalimbo.1" "${staging}/kalimbo.1" @ONLY)
# Debian wants the manual page compressed without a time stamp.
execute_process(COMMAND "${kalimbo_gzip}" -9nf "${staging}/kalimbo.1" RESULT_VARIABLE gzipped)
if(NOT gzipped EQUAL 0)
  message(FATAL_ERROR "gzip failed on ${staging}/kalimbo.1")
endif()

file(INSTALL DESTINATION "${datadir}/applications" TYPE FILE
     FILES "${staging}/de.kalimbo.Kalimbo.desktop")
file(INSTALL DESTINATION "${mandir}/man1" TYPE FILE FILES "${staging}/kalimbo.1.gz")
file(REMOVE_RECURSE "${staging}")
