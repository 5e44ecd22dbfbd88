# Runs one scenario in a fresh working folder:
#   cmake -DPROGRAM=... -DSCRIPT=... -DWORKDIR=... [-DSETTINGS=file] [-DEXPECTED=file] -P run_scenario.cmake
# The folder gets an empty subfolder app/ for scripts that say `appdir "app"`,
# with SETTINGS copied in as app/settings.pxr. After the run, app/settings.pxr
# must equal EXPECTED byte for byte.
file(REMOVE_RECURSE "${WORKDIR}")
file(MAKE_DIRECTORY "${WORKDIR}/app")
if(SETTINGS)
  file(COPY_FILE "${SETTINGS}" "${WORKDIR}/app/settings.pxr")
endif()

execute_process(COMMAND "${PROGRAM}" "${SCRIPT}" WORKING_DIRECTORY "${WORKDIR}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the scenario failed (${result})")
endif()

if(EXPECTED)
  file(READ "${EXPECTED}" expected HEX)
  file(READ "${WORKDIR}/app/settings.pxr" written HEX)
  if(NOT expected STREQUAL written)
    message(FATAL_ERROR "app/settings.pxr differs from ${EXPECTED}:\n${written}\nexpected:\n${expected}")
  endif()
endif()
file(REMOVE_RECURSE "${WORKDIR}")
