# Runs one scenario in a fresh working folder:
#   cmake -DPROGRAM=... -DSCRIPT=... -DWORKDIR=... [-DSETTINGS=file] [-DEXPECTED=file]
#         [-DBACKUP=file] [-DOWN=file] -P run_scenario.cmake
# The folder gets an empty subfolder app/ for scripts that say `appdir "app"`,
# with SETTINGS copied in as app/settings.pxr, and stands in for the user's
# configuration folder as config/. After the run, app/settings.pxr must equal
# EXPECTED byte for byte, and app/settings.pxr.bak BACKUP; without BACKUP
# there must be no app/settings.pxr.bak. The user's own settings file
# config/plexora/settings.pxr must equal OWN, and without OWN not exist.
file(REMOVE_RECURSE "${WORKDIR}")
file(MAKE_DIRECTORY "${WORKDIR}/app")
set(ENV{XDG_CONFIG_HOME} "${WORKDIR}/config")
if(SETTINGS)
  file(COPY_FILE "${SETTINGS}" "${WORKDIR}/app/settings.pxr")
endif()

execute_process(COMMAND "${PROGRAM}" "${SCRIPT}" WORKING_DIRECTORY "${WORKDIR}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the scenario failed (${result})")
endif()

function(expect_same_bytes written expected)
  file(READ "${expected}" expected_bytes HEX)
  file(READ "${WORKDIR}/${written}" written_bytes HEX)
  if(NOT expected_bytes STREQUAL written_bytes)
    message(FATAL_ERROR "${written} differs from ${expected}:\n${written_bytes}\nexpected:\n${expected_bytes}")
  endif()
endfunction()

if(EXPECTED)
  expect_same_bytes(app/settings.pxr "${EXPECTED}")
endif()
if(BACKUP)
  expect_same_bytes(app/settings.pxr.bak "${BACKUP}")
elseif(EXISTS "${WORKDIR}/app/settings.pxr.bak")
  message(FATAL_ERROR "app/settings.pxr.bak was written")
endif()
if(OWN)
  expect_same_bytes(config/plexora/settings.pxr "${OWN}")
elseif(EXISTS "${WORKDIR}/config")
  message(FATAL_ERROR "config/ was written")
endif()
file(REMOVE_RECURSE "${WORKDIR}")
