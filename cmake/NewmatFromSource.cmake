# newmat compiled from its source (Debian's orig tarball, unpacked at
# QZCORE_NEWMAT_SOURCE), for a target Debian ships no library for: the
# browser build.  Its headers are laid out as newmat/*.h, as Debian installs
# them; the test and example programs of the tarball are left out.
file(GLOB _newmat_all "${QZCORE_NEWMAT_SOURCE}/*.cpp")
set(_newmat_sources)
foreach(f ${_newmat_all})
  get_filename_component(n "${f}" NAME_WE)
  if(NOT n MATCHES "^(example|garch|nl_ex|sl_ex|test_exc|tmt.*)$")
    list(APPEND _newmat_sources "${f}")
  endif()
endforeach()
file(GLOB _newmat_headers "${QZCORE_NEWMAT_SOURCE}/*.h")
file(COPY ${_newmat_headers} DESTINATION "${CMAKE_BINARY_DIR}/newmat-include/newmat")
add_library(qzCore_newmat STATIC ${_newmat_sources})
target_include_directories(qzCore_newmat PUBLIC $<BUILD_INTERFACE:${CMAKE_BINARY_DIR}/newmat-include>
  PRIVATE "${QZCORE_NEWMAT_SOURCE}")
# Debian builds it with its classes in namespace NEWMAT, as we call them.
target_compile_definitions(qzCore_newmat PUBLIC use_namespace)
# Old code: its own warnings are not ours to mend.
target_compile_options(qzCore_newmat PRIVATE -w)
add_library(Newmat::Newmat ALIAS qzCore_newmat)
install(TARGETS qzCore_newmat EXPORT qzCoreTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
