# Runs at install time: lays the build's demo content into the install folder.
# Data files are copied as they are; programs (ELF files) go to the program
# folder, since compiled programs do not belong under share/, with a relative
# link at their place, as the shell starts them by their path under its
# install folder. Whatever the content holds is taken, so a new file needs no
# change here.
#
# Set by the caller: sprout_content (the folder to install), sprout_install_folder
# and sprout_program_folder (relative to the prefix), sprout_strip (a strip
# program, used when the install strips).
set(prefix "${CMAKE_INSTALL_PREFIX}")
file(GLOB_RECURSE content RELATIVE "${sprout_content}" LIST_DIRECTORIES false "${sprout_content}/*")
if(NOT content)
  message(FATAL_ERROR "${sprout_content} is empty: build the demo package first")
endif()
foreach(file IN LISTS content)
  get_filename_component(folder "${file}" DIRECTORY)
  set(data_folder "${prefix}/${sprout_install_folder}/${folder}")
  file(READ "${sprout_content}/${file}" magic LIMIT 4 HEX)
  if(NOT magic STREQUAL "7f454c46")
    file(INSTALL "${sprout_content}/${file}" DESTINATION "${data_folder}" USE_SOURCE_PERMISSIONS)
    continue()
  endif()
  set(program_folder "${prefix}/${sprout_program_folder}/${folder}")
  file(INSTALL "${sprout_content}/${file}" DESTINATION "${program_folder}" USE_SOURCE_PERMISSIONS)
  get_filename_component(name "${file}" NAME)
  if(CMAKE_INSTALL_DO_STRIP AND sprout_strip)
    execute_process(COMMAND "${sprout_strip}" "$ENV{DESTDIR}${program_folder}/${name}" COMMAND_ERROR_IS_FATAL ANY)
  endif()
  file(RELATIVE_PATH target "${data_folder}" "${program_folder}/${name}")
  file(MAKE_DIRECTORY "$ENV{DESTDIR}${data_folder}")
  message(STATUS "Linking: $ENV{DESTDIR}${data_folder}/${name} -> ${target}")
  file(CREATE_LINK "${target}" "$ENV{DESTDIR}${data_folder}/${name}" SYMBOLIC)
endforeach()
