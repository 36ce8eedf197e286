-- Renders the prepared session (make-session.lua) through Kelvora in Ardour: loads it, puts
-- the plug-in first on the track, sets its controls in their own units, and exports the
-- master bus as 32-bit float WAV.
-- Arguments: session folder, session name, export preset id, output folder, output name,
-- frames to export, optionally the plug-in's format and identifier ("VST3 Kelvora" when left
-- out; "LV2 <URI>"), then settings: "Control=value" or "host-bypass".
io.stdout:setvbuf("no")
local folder, name, preset, outFolder, outName, frames = arg[1], arg[2], arg[3], arg[4], arg[5],
  tonumber(arg[6])
local format, identifier, firstSetting = "VST3", "Kelvora", 7
if arg[7] == "VST3" or arg[7] == "LV2" then
  format, identifier, firstSetting = arg[7], arg[8], 9
end

assert(AudioEngine:set_backend("None (Dummy)", "", ""), "no dummy audio engine")
local session = load_session(folder, name)
assert(session, "cannot load the session in " .. folder)
local track = session:route_by_name("Programme")
assert(not track:isnil(), "session has no programme track")

local processor = ARDOUR.LuaAPI.new_plugin(session, identifier, ARDOUR.PluginType[format], "")
assert(not processor:isnil(), "Ardour does not find " .. identifier .. " (" .. format .. ")")
assert(track:add_processor_by_index(processor, 0, nil, true) == 0, "cannot insert Kelvora")
local insert = processor:to_insert()
local plugin = insert:plugin(0)

-- The Lua API sets a plug-in's n-th control, while descriptors are looked up by port: LV2
-- counts its audio ports among the ports, VST 3 has none there.
local function port_of(control)
  local port, refs = plugin:nth_parameter(control, true)
  return refs[2] and port or nil
end

local function input_controls()
  local controls = {}
  for control = 0, plugin:parameter_count() - 1 do
    local port = port_of(control)
    if port and plugin:parameter_is_control(port) and plugin:parameter_is_input(port) then
      local _, descriptor = plugin:get_parameter_descriptor(port, ARDOUR.ParameterDescriptor())
      controls[#controls + 1] = { index = control, descriptor = descriptor[2] }
    end
  end
  return controls
end

-- Ardour lists VST 3's bypass switch beside the plug-in's own controls, marked as a toggle;
-- both are called "Bypass", so a control is looked up among the others. LV2 marks the
-- plug-in's own switches as toggles too and names the host's switch apart.
local function control_index(label)
  local found
  for _, control in ipairs(input_controls()) do
    local descriptor = control.descriptor
    if descriptor.label == label and (format == "LV2" or not descriptor.toggled) then
      assert(not found, "two controls are called \"" .. label .. "\"")
      found = control.index
    end
  end
  return found or error("Kelvora shows no control \"" .. label .. "\"")
end

local function input_values()
  local values = {}
  for _, control in ipairs(input_controls()) do
    values[control.index] = ARDOUR.LuaAPI.get_processor_param(processor, control.index)
  end
  return values
end

for k = firstSetting, #arg do
  local setting = arg[k]
  if setting == "host-bypass" then
    -- The mixer's bypass button: with a plug-in that has its own bypass switch Ardour keeps
    -- the plug-in running and switches that instead of taking it out of the chain: VST 3's
    -- switch says bypassed, LV2's (lv2:enabled) says enabled.
    local before = input_values()
    insert:enable(false)
    local switched = {}
    for index, value in pairs(input_values()) do
      if value ~= before[index] then switched[#switched + 1] = value end
    end
    local bypassed = format == "LV2" and 0 or 1
    assert(insert:active() and #switched == 1 and switched[1] == bypassed,
      "Ardour did not hand the bypass to the plug-in")
    print("host bypass on (plug-in still active, its bypass switch at " .. switched[1] .. ")")
  else
    local label, value = setting:match("^(.-)=(.+)$")
    assert(label, "bad setting " .. setting)
    local index = control_index(label)
    assert(ARDOUR.LuaAPI.set_processor_param(processor, index, tonumber(value)))
    print(string.format("%s = %s (Ardour reads back %g)", label, value,
      ARDOUR.LuaAPI.get_processor_param(processor, index)))
  end
end

local export = session:simple_export()
assert(export:set_preset(preset), "no export preset " .. preset)
export:set_folder(outFolder)
export:set_name(outName)
export:set_range(0, frames)
assert(export:check_outputs(), "nothing to export")
assert(export:run_export(), "export failed")
close_session()
print("exported " .. outName)
