// Solves the hydraulics of INP files with EPANET 2.2 (epanet-js) and prints, for
// each file given, one line of JSON:
//   {"links": {id: {"flow", "headloss"}}, "nodes": {id: {"head", "pressure"}}}
// in the INP's units. One process for many files: loading the engine costs more
// than solving a network. An error of EPANET, or a warning that the solution is
// not one (unbalanced, unstable, disconnected), ends it with status 1.
import fs from "node:fs";
import path from "node:path";
import { CountType, LinkProperty, NodeProperty, Project, Workspace } from "epanet-js";

const files = process.argv.slice(2);
if (files.length === 0) {
  console.error("usage: node solve_inp.mjs network.inp [more.inp ...]");
  process.exit(2);
}

// epanet-js prints warnings instead of returning them; collect their codes.
const warnings = [];
console.warn = (message) => warnings.push(String(message));
const NOT_A_SOLUTION = /Warning [123]\)/;

function results(project) {
  warnings.length = 0;
  project.solveH();
  const failed = warnings.find((warning) => NOT_A_SOLUTION.test(warning));
  if (failed) throw new Error(failed);
  const links = {};
  for (let i = 1; i <= project.getCount(CountType.LinkCount); ++i) {
    links[project.getLinkId(i)] = {
      flow: project.getLinkValue(i, LinkProperty.Flow),
      headloss: project.getLinkValue(i, LinkProperty.Headloss),
    };
  }
  const nodes = {};
  for (let i = 1; i <= project.getCount(CountType.NodeCount); ++i) {
    nodes[project.getNodeId(i)] = {
      head: project.getNodeValue(i, NodeProperty.Head),
      pressure: project.getNodeValue(i, NodeProperty.Pressure),
    };
  }
  return { links, nodes };
}

function solve(workspace, file) {
  const project = new Project(workspace);
  workspace.writeFile("network.inp", fs.readFileSync(file));
  let solved;
  try {
    project.open("network.inp", "network.rpt", "network.bin");
    solved = results(project);
  } catch (error) {
    // The report, complete once the project is closed, names the offending line.
    try {
      project.close();
    } catch {}
    const report = workspace.readFile("network.rpt").split("\n");
    const first = report.findIndex((line) => /Error|Warning|WARNING/.test(line));
    throw new Error(`${error.message}\n${first < 0 ? "" : report.slice(first).join("\n").trim()}`);
  }
  project.close();
  return solved;
}

const workspace = new Workspace();
await workspace.loadModule();
for (const file of files) {
  try {
    process.stdout.write(JSON.stringify(solve(workspace, file)) + "\n");
  } catch (error) {
    console.error(`${path.basename(file)}: EPANET: ${error.message}`);
    process.exit(1);
  }
}
