// Placeholder until the server logic lands; remove when real sources are listed.
namespace kestrine {}
