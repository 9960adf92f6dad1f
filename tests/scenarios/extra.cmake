# Each *.sim script here runs through brinecast-sim; its `#expect`, `#exit` and
# `#png` lines say what the run must show (see RunScenario.cmake).
file(GLOB scenario_scripts CONFIGURE_DEPENDS ${folder}/*.sim)
foreach(script ${scenario_scripts})
  get_filename_component(scenario ${script} NAME_WE)
  add_test(NAME scenario.${scenario}
    COMMAND ${CMAKE_COMMAND} -DSIM=$<TARGET_FILE:brinecast-sim> -DSCRIPT=${script}
      -DWORKDIR=${CMAKE_CURRENT_BINARY_DIR}/scenarios/${scenario}
      -P ${folder}/RunScenario.cmake)
  set_tests_properties(scenario.${scenario} PROPERTIES LABELS scenario TIMEOUT 120)
endforeach()

add_test(NAME scenario.signal_cleanup
  COMMAND bash ${folder}/signal_cleanup.sh $<TARGET_FILE:brinecast-sim>)
set_tests_properties(scenario.signal_cleanup PROPERTIES LABELS scenario TIMEOUT 60)

if(TARGET brinecast-scores)
  add_test(NAME scenario.online_end_to_end
    COMMAND bash ${folder}/online_end_to_end.sh $<TARGET_FILE:brinecast-sim>
      $<TARGET_FILE:brinecast-scores>)
  set_tests_properties(scenario.online_end_to_end PROPERTIES LABELS scenario TIMEOUT 120)
endif()

add_test(NAME scenario.sim_command_line
  COMMAND sh ${folder}/sim_command_line.sh $<TARGET_FILE:brinecast-sim>)
set_tests_properties(scenario.sim_command_line PROPERTIES LABELS scenario TIMEOUT 60)
